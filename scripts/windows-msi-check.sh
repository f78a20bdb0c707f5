#!/usr/bin/env bash
# In a fresh Wine prefix on the current X display: starts the portable folder from a path with
# an accented letter, then deploys the MSI as a technician would: silent install, one game played
# from the Start-menu shortcut by keyboard, an upgrade to a later version, silent uninstall, and
# nothing left behind: windows-msi-check.sh DIST_DIR BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/.."
dist=$(realpath "$1"); build=$(realpath "$2")
version=$(sed -n 's/^project(vintalem VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
msi="$dist/vintalem-$version-x64.msi"
tmp=$(mktemp -d); trap 'WINEPREFIX=$VINTALEM_WINEPREFIX wineserver -k 2>/dev/null; rm -rf "$tmp"' EXIT
export VINTALEM_WINEPREFIX="$tmp/prefix"
w() { timeout 120 scripts/wine-run "$@"; }
fail() { echo "msi: FAILED: $*" >&2; import -window root "$dist/msi-failure.png" 2>/dev/null || true; exit 1; }
passed=0
ok() { echo "msi: ok: $*"; passed=$((passed + 1)); }

. scripts/xwin.sh
keys() { xdotool key --delay 60 "$@"; sleep 0.3; }
quit() {
    xdotool windowactivate --sync "$1"; sleep 0.3
    keys alt+f e
    gone Vintalem; gone 'Tabella degli Aminoacidi'; gone mutazioni
    timeout 30 bash -c 'while pgrep -f "[v]intalem.exe" >/dev/null; do sleep 0.2; done' || fail "still running after Esci"
}

w cmd /c exit >/dev/null
c="$VINTALEM_WINEPREFIX/drive_c"

# The portable folder, unzipped where a teacher might: a path with a space and an accented letter.
portable="$c/Scuola/Biologia è bella"
mkdir -p "$portable"
unzip -q "$dist/vintalem-$version-windows-x64.zip" -d "$portable"
w start /unix "$(find "$portable" -name vintalem.exe)"
main=$(wait_for Vintalem); wait_for 'Tabella degli Aminoacidi' >/dev/null
pgrep -af "[v]intalem.exe" | grep -q 'Scuola.Biologia è bella' || fail "the portable program's path"
quit "$main"
rm -rf "$c/Scuola"
ok "the portable folder runs from C:\\Scuola\\Biologia è bella"

dir="$c/Program Files/Vintalem"
# Windows Installer puts a per-machine shortcut among all users' programs; Wine's among the user's.
shortcut() { find "$c/ProgramData/Microsoft/Windows/Start Menu" "$c/users" -name Vintalem.lnk 2>/dev/null | head -n1; }
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
entries() { w reg query "$uninstall_key" /s 2>/dev/null | tr -d '\r' | grep -c 'DisplayName.*REG_SZ.*Vintalem' || true; }
state() { (cd "$c" && find . -path ./windows -prune -o -path '*/Temp' -prune -o -print | sort) > "$1"
          w reg query "$uninstall_key" 2>/dev/null | tr -d '\r' | sort >> "$1"; }
state "$tmp/before"

w msiexec /i "$(winepath -w "$msi")" /qn || fail "silent install"
[ -f "$dir/vintalem.exe" ] && [ -f "$dir/LEGGIMI.txt" ] && [ -f "$dir/licenze/LGPL-3.txt" ] || fail "installed files"
lnk=$(shortcut); [ -n "$lnk" ] || fail "Start-menu shortcut"
info=$(w reg query "$uninstall_key" /s | tr -d '\r')
grep -q 'DisplayName.*Vintalem' <<<"$info" && grep -q "DisplayVersion.*$version" <<<"$info" \
    && grep -q 'Publisher.*Vintalem' <<<"$info" || fail "entry among installed programs: $info"
ok "silent install under Program Files, Start-menu shortcut, installed-programs entry $version by Vintalem"

# Play from the Start-menu shortcut, by keyboard.
w start /unix "$lnk"
main=$(wait_for Vintalem); wait_for 'Tabella degli Aminoacidi' >/dev/null
xdotool windowactivate --sync "$main"; sleep 0.5
ok "started from the shortcut: both windows shown"

# Box 2 takes a new codon: one letter alone is an incomplete codon, refused with a message.
keys Tab a
for _ in $(seq 20); do keys Tab; done
keys space
wait_for "Controllo dell'esattezza dati" >/dev/null; keys Return; gone "Controllo dell'esattezza dati"
ok "an incomplete codon is refused with a message"
keys shift+Tab shift+Tab; for _ in $(seq 18); do keys shift+Tab; done
keys a a a
for _ in $(seq 20); do keys Tab; done
keys space
wait_for mutazioni >/dev/null
import -window root "$dist/msi-coding-run.png"
ok "a coding run after a mutation opens the explanation window"

# The first glyph (Met): the codon table shows its codons, drawn anew.
table=$(wait_for 'Tabella degli Aminoacidi')
import -window "$table" "$tmp/table-before.png"
xdotool windowactivate --sync "$main"; sleep 0.3
keys Tab space
changed=0
for _ in $(seq 50); do  # until the table is drawn anew, 10 s at most
    import -window "$table" "$tmp/table-after.png"
    changed=$(compare -metric AE "$tmp/table-before.png" "$tmp/table-after.png" null: 2>&1 || true)
    [ "${changed%% *}" != 0 ] && break
    sleep 0.2
done
[ "${changed%% *}" != 0 ] || fail "look-up from a glyph: the codon table did not change"
import -window root "$dist/msi-look-up.png"
ok "a glyph brings the codon table up"

xdotool windowactivate --sync "$main"; sleep 0.3
keys alt+f Right i
wait_for 'Informazioni sul programma' >/dev/null
import -window root "$dist/msi-about.png"
keys Return; gone 'Informazioni sul programma'
ok "the about window opens and closes with Ok"

quit "$main"
ok "Esci ends the game"

# A later version replaces this one: one entry, the new files.
later="$tmp/later"
scripts/windows-package.sh "$build" "$later" 1.0.1 >/dev/null
w msiexec /i "$(winepath -w "$later/vintalem-1.0.1-x64.msi")" /qn || fail "upgrade install"
[ "$(entries)" = 1 ] || fail "$(entries) entries after the upgrade"
w reg query "$uninstall_key" /s | tr -d '\r' | grep -q 'DisplayVersion.*1\.0\.1' || fail "upgraded version"
head -n1 "$dir/LEGGIMI.txt" | grep -q '1\.0\.1' || fail "upgraded files"
ok "1.0.1 over $version: one entry, the new files"

w msiexec /x "$(winepath -w "$later/vintalem-1.0.1-x64.msi")" /qn || fail "silent uninstall"
state "$tmp/after"
diff "$tmp/before" "$tmp/after" >&2 || fail "left behind after uninstall"
[ ! -e "$dir" ] && [ -z "$(shortcut)" ] && [ "$(entries)" = 0 ] || fail "left behind after uninstall"
ok "silent uninstall leaves no file, no shortcut and no entry"
echo "msi: $passed passed, 0 failed"
