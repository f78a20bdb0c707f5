#!/usr/bin/env bash
# Makes the portable zip and the MSI from a Windows build:
#   windows-package.sh BUILD_DIR OUT_DIR [VERSION]
# The zip unpacks to one folder holding vintalem.exe (fonts and Qt's Italian texts are inside
# it), a read-me and the licences of everything the program carries.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "$1"); out=$(realpath -m "$2")
version=${3:-$(sed -n 's/^project(vintalem VERSION \([0-9.]*\).*/\1/p' "$here/CMakeLists.txt")}
stage=$(mktemp -d); trap 'rm -rf "$stage"' EXIT
dir="$stage/vintalem-$version"
mkdir -p "$dir/licenze" "$out"

x86_64-w64-mingw32-strip -o "$dir/vintalem.exe" "$build/vintalem.exe"
sed "s/@VERSION@/$version/" "$here/packaging/windows/LEGGIMI.txt" | sed 's/$/\r/' > "$dir/LEGGIMI.txt"
cp "$here/packaging/windows/vintalem.ico" "$dir/"
crlf() { sed 's/$/\r/' "$1" > "$dir/licenze/$2"; }
crlf "$here/data/debian/copyright" Vintalem.txt
# Debian's record of Qt's licences names every bundled library (PCRE2, HarfBuzz, FreeType,
# libpng, zlib, double-conversion, md4c...) with its notice.
crlf /usr/share/doc/qt6-base-dev/copyright Qt.txt
crlf /usr/share/common-licenses/LGPL-3 LGPL-3.txt
crlf /usr/share/common-licenses/GPL-3 GPL-3.txt
crlf /usr/share/doc/qt6-translations-l10n/copyright Qt-traduzioni.txt
crlf "/usr/share/doc/$(sed -n 's/^VINTALEM_FONT_PACKAGE:[A-Z]*=//p' "$build/CMakeCache.txt")/copyright" Liberation-fonts.txt
crlf /usr/share/doc/mingw-w64-common/copyright MinGW-w64.txt
crlf /usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright GCC-runtime.txt

zip_name="vintalem-$version-windows-x64.zip"
rm -f "$out/$zip_name"
(cd "$stage" && zip -qr -9 -X "$out/$zip_name" "vintalem-$version" -x "vintalem-$version/vintalem.ico")

msi_name="vintalem-$version-x64.msi"
# wixl takes source paths relative to the folder it runs in.
(cd "$dir" && wixl -a x64 -D Version="$version" -D Stage=. -o "$out/$msi_name" "$here/packaging/windows/vintalem.wxs")
ls -l "$out/$zip_name" "$out/$msi_name" | awk '{print $5, $9}'
