#!/usr/bin/env bash
# Runs a command as root in a fresh Debian 13 (trixie) system, in a clone of this checkout's
# HEAD at /root/vintalem:   scripts/debian13.sh ./test.sh
# With --checkout, the checkout itself (uncommitted changes and build folders included) is
# mounted there instead, so what the command builds stays in it.
# The system is debootstrap's minimal one plus git, made once and kept as a tarball outside the
# checkout, named by the date of the archive's trixie release it was made from; each run unpacks
# a new copy and removes it afterwards, mounts included, however the run ends. Downloaded
# packages and the Qt builds of scripts/cross-qt.sh are kept between runs.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
if [ "$(id -u)" -ne 0 ]; then exec sudo --preserve-env=CI,JOBS "$0" "$@"; fi
checkout=
if [ "${1:-}" = --checkout ]; then checkout=1; shift; fi
[ $# -gt 0 ] || { echo "usage: debian13.sh [--checkout] COMMAND [ARGUMENTS...]" >&2; exit 2; }
cache=${VINTALEM_ROOT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vintalem-roots}
qt_cache=${VINTALEM_QT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vintalem-qt}
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}
"$here/scripts/setup.sh" debootstrap git
mkdir -p "$cache/debs" "$qt_cache"

# The archive's release date names the tarball: a new point release makes a new system.
release=$(mktemp)
date=
if /usr/lib/apt/apt-helper download-file "$mirror/dists/trixie/Release" "$release" >/dev/null 2>&1; then
    date=$(sed -n 's/^Date: //p' "$release" | head -n1)
    date=$(date -u -d "$date" +%Y%m%dT%H%M%SZ)
fi
rm -f "$release"
if [ -z "$date" ]; then
    tarball=$(ls -1 "$cache"/trixie-*.tar.gz 2>/dev/null | tail -n1)
    [ -n "$tarball" ] || { echo "debian13: the archive cannot be reached and no system is kept" >&2; exit 1; }
    echo "debian13: the archive cannot be reached; using $(basename "$tarball")" >&2
else
    tarball="$cache/trixie-$date.tar.gz"
fi

root=$(mktemp -d "$cache/root.XXXXXX")
mounts=()
cleanup() {
    local status=$? m i
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
        m=${mounts[i]}
        umount "$m" 2>/dev/null || umount -l "$m" 2>/dev/null || true
    done
    # Nothing of the host may be left mounted below the root when it is removed.
    if findmnt -rn -o TARGET | grep "^$root/" >/dev/null; then
        echo "debian13: $root still has mounts; it is left in place" >&2
    else
        rm -rf --one-file-system "$root"
    fi
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ ! -f "$tarball" ]; then
    echo "debian13: making a Debian 13 system with debootstrap, once: $(basename "$tarball")" >&2
    debootstrap --variant=minbase --include=ca-certificates,git trixie "$root" "$mirror" >"$root.log" 2>&1 ||
        { tail -n 20 "$root.log" >&2; rm -f "$root.log"; exit 1; }
    rm -f "$root.log"
    echo "deb $mirror trixie main" >"$root/etc/apt/sources.list"
    rm -f "$root"/var/cache/apt/archives/*.deb
    tar -C "$root" --numeric-owner -czf "$tarball.part" . && mv "$tarball.part" "$tarball"
else
    tar -C "$root" --numeric-owner -xzf "$tarball"
fi

chmod 755 "$root"   # a system's / is open to all; apt fetches as _apt, which must reach its folders
# A system for one run: dpkg need not wait for every file to reach the disk, nor index manual pages.
echo force-unsafe-io >"$root/etc/dpkg/dpkg.cfg.d/vintalem-unsafe-io"
rm -f "$root/var/lib/man-db/auto-update"
cp -L /etc/resolv.conf "$root/etc/resolv.conf"
bind() { mkdir -p "$root$2"; mount "${@:3}" "$1" "$root$2"; mounts+=("$root$2"); }
bind proc /proc -t proc
bind sysfs /sys -t sysfs
bind /dev /dev --bind
bind /dev/pts /dev/pts --bind
bind tmpfs /dev/shm -t tmpfs
bind "$cache/debs" /var/cache/apt/archives --bind
bind "$qt_cache" /root/.cache/vintalem-qt --bind

if [ -n "$checkout" ]; then
    bind "$here" /root/vintalem --bind
else
    git clone -q --no-hardlinks "$here" "$root/root/vintalem"
fi
# A mounted checkout belongs to its owner outside, whom git inside would not trust.
chroot "$root" /usr/bin/env -i HOME=/root TERM="${TERM:-dumb}" LANG=C.UTF-8 CI="${CI:-}" \
    GIT_CONFIG_COUNT=1 GIT_CONFIG_KEY_0=safe.directory GIT_CONFIG_VALUE_0=/root/vintalem \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin ${JOBS:+JOBS=$JOBS} \
    /bin/bash -c 'mkdir -p /var/cache/apt/archives/partial; chown _apt /var/cache/apt/archives/partial 2>/dev/null; cd /root/vintalem && exec "$@"' debian13 "$@"
