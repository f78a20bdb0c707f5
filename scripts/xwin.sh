# Waits for X windows by exact title; sourced by the scripts that drive the game under Wine.
# Wine makes and destroys short-lived windows as a program starts. An xdotool search that meets
# one as it vanishes dies of BadWindow, which says nothing about the window looked for: such a
# search is simply repeated. The caller defines fail().

# Prints the first visible window titled exactly $1, or nothing.
xwin_find() {
    local out
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        if out=$(xdotool search --onlyvisible --name "^$1\$" 2>&1); then
            grep -m1 -E '^[0-9]+$' <<<"$out" || true; return 0
        fi
        grep -q 'X Error' <<<"$out" || return 0
        sleep 0.1
    done
    echo "xwin: every search for '$1' died of an X error" >&2; return 1
}

# Prints the window titled $1 once it shows, within ${2:-60} seconds.
wait_for() {
    local id end=$((SECONDS + ${2:-60}))
    until id=$(xwin_find "$1") && [ -n "$id" ]; do
        [ "$SECONDS" -lt "$end" ] || fail "no window '$1'"
        sleep 0.2
    done
    echo "$id"
}

# Returns once no window titled $1 shows, within 30 seconds.
gone() {
    local id end=$((SECONDS + 30))
    while ! id=$(xwin_find "$1") || [ -n "$id" ]; do
        [ "$SECONDS" -lt "$end" ] || fail "window '$1' still there"
        sleep 0.2
    done
}
