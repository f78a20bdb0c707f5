#!/usr/bin/env bash
# scripts/apt-source.sh against each shape a machine declares Debian's archive in: every shape
# is a throw-away apt configuration (APT_CONFIG) whose indexes the real apt-get update fetches;
# the source lines the script makes must let the real apt-cache showsrc find the installed
# qt6-base, and neither the shape's files nor the machine's /etc/apt may change. The machine's
# own apt configuration is only read.
set -uo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
version=$(dpkg-query -W -f='${Version}' qt6-base-dev) || { echo "apt-source: qt6-base-dev is not installed"; exit 1; }
. /etc/os-release
suite=$VERSION_CODENAME
mirror=http://deb.debian.org/debian
security=http://deb.debian.org/debian-security
key=/usr/share/keyrings/debian-archive-keyring.gpg
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0 failed=0
sums() { find "$@" -type f -print0 | sort -z | xargs -0 sha256sum; }

# shape NAME EXPECT FILE CONTENT [FILE CONTENT...]: EXPECT is "found" or "refused"; the form the
# generated lines must take is checked by the pattern in $form.
shape() {
    local name=$1 expect=$2 t="$work/$1" problems=() opts status
    shift 2
    mkdir -p "$t/etc/sources.list.d" "$t/lists/partial" "$t/cache/archives/partial"
    : >"$t/etc/sources.list"
    while [ $# -gt 0 ]; do printf '%s\n' "$2" >"$t/etc/$1"; shift 2; done
    cat >"$t/apt.conf" <<EOF
Dir::Etc::SourceList "$t/etc/sources.list";
Dir::Etc::SourceParts "$t/etc/sources.list.d";
Dir::State::Lists "$t/lists";
Dir::Cache "$t/cache";
EOF
    # The machine's indexes save downloading the same files again.
    find /var/lib/apt/lists -maxdepth 1 -type f ! -name lock -exec cp {} "$t/lists/" \;
    chown -R _apt "$t/lists/partial" 2>/dev/null
    local before machine
    before=$(sums "$t/etc")
    machine=$(sums /etc/apt)
    if [ "$expect" = found ]; then
        APT_CONFIG="$t/apt.conf" apt-get update -qq >"$t/update.log" 2>&1 || problems+=("apt-get update: $(cat "$t/update.log")")
    fi
    opts=$(APT_CONFIG="$t/apt.conf" "$here/scripts/apt-source.sh" --prepare "$t/src" qt6-base qt6-base-dev 2>"$t/err")
    status=$?
    if [ "$expect" = found ]; then
        mapfile -t opts <<<"$opts"
        [ $status -eq 0 ] || problems+=("the script failed: $(cat "$t/err")")
        APT_CONFIG="$t/apt.conf" apt-cache "${opts[@]}" showsrc qt6-base 2>&1 | grep -qxF "Version: $version" ||
            problems+=("apt-cache showsrc does not find qt6-base $version")
        grep -Eqs -- "$form" "$t"/src/sources.list.d/* || problems+=("no generated line matches: $form")
    else
        [ $status -ne 0 ] || problems+=("the script succeeded")
        grep -q "by hand" "$t/err" || problems+=("no word of what to enable by hand: $(cat "$t/err")")
    fi
    [ "$(sums "$t/etc")" = "$before" ] || problems+=("the shape's files changed")
    [ "$(sums /etc/apt)" = "$machine" ] || problems+=("the machine's /etc/apt changed")
    if [ ${#problems[@]} -eq 0 ]; then
        echo "  ok   $name"; passed=$((passed + 1))
    else
        echo "  FAIL $name"; printf '       %s\n' "${problems[@]}"; failed=$((failed + 1))
    fi
}

deb822="Types: deb
URIs: $mirror
Suites: $suite $suite-updates
Components: main
Signed-By: $key"
deb822_security="Types: deb
URIs: $security
Suites: $suite-security
Components: main
Signed-By: $key"

form="^Signed-By: $key\$"
shape deb822-two-stanzas found sources.list.d/debian.sources "$deb822

$deb822_security"
shape deb822-security-first found sources.list.d/debian.sources "# security first
$deb822_security

$deb822"
form="^deb-src $mirror $suite main\$"
shape one-line found sources.list "deb $mirror $suite main
deb $security $suite-security main"
form="^deb-src \\[signed-by=$key\\] $mirror $suite main\$"
shape one-line-signed-by found sources.list.d/debian.list "deb [signed-by=$key] $mirror $suite main"
# The line an earlier version wrote beside a signed deb822 entry: apt refuses every list.
shape conflicting refused sources.list.d/debian.sources "$deb822" sources.list.d/vintalem-deb-src.list "deb-src $mirror $suite main"

echo "apt-source: $passed passed, $failed failed"
[ $failed -eq 0 ]
