#!/usr/bin/env bash
# Installs what building and testing need, from Debian's packages, if it is missing.
# Further package names given as arguments are installed the same way.
set -euo pipefail

packages=(
    g++ cmake make pkg-config
    qt6-base-dev qt6-base-private-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
    fontconfig
    xvfb xauth
    qt6-translations-l10n
    desktop-file-utils appstream dpkg-dev file lintian
)
# Liberation Sans 2: its own package on Debian 12, part of fonts-liberation from Debian 13 on.
. /etc/os-release
if [ "${VERSION_CODENAME:-}" = bookworm ]; then packages+=(fonts-liberation2); else packages+=(fonts-liberation); fi
packages+=("$@")
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "setup: run as root, or install sudo, to install: ${missing[*]}" >&2; exit 1; }
    sudo=sudo
fi
# An earlier version of scripts/cross-qt.sh wrote this unsigned line beside signed entries,
# which makes apt refuse every list: it is taken back.
stale=/etc/apt/sources.list.d/vintalem-deb-src.list
if [ -f "$stale" ] && apt-cache policy 2>&1 | grep "Conflicting values set for option Signed-By" >/dev/null; then
    $sudo rm -f "$stale"
    echo "setup: removed $stale, left by an earlier version of this project, with which apt reads no list"
fi
echo "setup: installing ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
