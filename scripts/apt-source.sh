#!/usr/bin/env bash
# Fetches a Debian source package into the current folder without changing the machine's apt
# configuration: apt-source.sh SOURCE BINARY
# The version is the one of BINARY installed here. Where the machine's own source lines do not
# give it, a private apt configuration (its own source list, lists and cache, in a temporary
# folder) holds deb-src entries for the archive entries whose index carries that version, in the
# same form and with the same options (Signed-By among them) as those entries.
#   apt-source.sh --prepare DIR SOURCE BINARY   writes that configuration into DIR, runs
#                                                apt-get update with it and prints its options
set -euo pipefail
prepare=
if [ "${1:-}" = --prepare ]; then prepare=${2:?--prepare needs a folder}; shift 2; fi
src=${1:?usage: apt-source.sh [--prepare DIR] SOURCE BINARY}
bin=${2:?usage: apt-source.sh [--prepare DIR] SOURCE BINARY}
version=$(dpkg-query -W -f='${Version}' "$bin")

by_hand() {
    echo "apt-source: $1" >&2
    echo "apt-source: to fetch $src $version, enable the archive's source lines by hand: add deb-src to" \
         "the Types: of its stanza in /etc/apt/sources.list.d/*.sources (or a deb-src line beside its deb" \
         "line, with the same [signed-by=...]), run apt-get update, then run this again." >&2
    exit 1
}
# grep reads to the end: quitting at the first match would cut apt off, which pipefail counts as failure.
has_version() { "$@" showsrc "$src" 2>/dev/null | grep -xF "Version: $version" >/dev/null; }

if [ -z "$prepare" ] && has_version apt-cache; then
    exec apt-get source -qq "$src=$version"
fi

# The machine's entries whose index carries the installed version: apt names each index by its
# description ("URI suite/component arch Packages") in the version table, and by the same
# description the file and entry (a deb822 stanza's number, or a line's) that declares it.
policy=$(apt-cache policy "$bin" 2>&1) || by_hand "apt cannot read this machine's sources: $policy"
indexes=$(awk -v v="$version" '
    /^ \*\*\* / { mine = ($2 == v); next }
    /^     [^ ]/ { mine = ($1 == v); next }
    mine && $2 ~ /:\/\// { print $2 " " $3 " " $4 " " $5 }' <<<"$policy")
[ -n "$indexes" ] || by_hand "no archive entry of this machine carries $bin $version"
entries=$(apt-get indextargets --format '$(DESCRIPTION)|$(SOURCESENTRY)' 2>&1) ||
    by_hand "apt cannot list this machine's indexes: $entries"
entries=$(awk -F'|' 'NR == FNR { want[$0] = 1; next } ($1 in want) { print $2 }' \
    <(printf '%s\n' "$indexes") <(printf '%s\n' "$entries") | sort -u)
[ -n "$entries" ] || by_hand "apt names no source entry for the indexes of $bin $version"

dir=${prepare:-$(mktemp -d)}
[ -n "$prepare" ] || trap 'rm -rf "$dir"' EXIT
mkdir -p "$dir/sources.list.d" "$dir/lists/partial" "$dir/cache/archives/partial"
: >"$dir/sources.list"
: >"$dir/sources.list.d/source.sources"
: >"$dir/sources.list.d/source.list"
while IFS= read -r entry; do
    file=${entry%:*} n=${entry##*:}
    case $file in
    *.sources)
        # The Nth stanza (comment lines are no fields; blank lines part stanzas), with
        # deb-src for its types and every other field, continuation lines included, as it is.
        awk -v n="$n" '
            /^#/ { next }
            /^[ \t]*$/ { if (fields) { count++; fields = 0 } next }
            { fields = 1 }
            count + 1 == n { print (tolower($0) ~ /^types:/ ? "Types: deb-src" : $0) }' "$file" >>"$dir/sources.list.d/source.sources"
        echo >>"$dir/sources.list.d/source.sources"
        ;;
    *)
        sed -n "${n}{s/^[ \t]*deb\([ \t]\)/deb-src\1/p}" "$file" >>"$dir/sources.list.d/source.list"
        ;;
    esac
done <<<"$entries"
grep -q . "$dir/sources.list.d/source.sources" || rm "$dir/sources.list.d/source.sources"
grep -q . "$dir/sources.list.d/source.list" || rm "$dir/sources.list.d/source.list"
# apt fetches as the _apt user where it can.
chmod 755 "$dir"
chown _apt "$dir/lists/partial" "$dir/cache/archives/partial" 2>/dev/null || true

opts=(-o "Dir::Etc::SourceList=$dir/sources.list" -o "Dir::Etc::SourceParts=$dir/sources.list.d"
      -o "Dir::State::Lists=$dir/lists" -o "Dir::Cache=$dir/cache")
# A download that fails is an error, not a warning; the network gets a second chance.
log=$(apt-get "${opts[@]}" update --error-on=any 2>&1) || log=$(apt-get "${opts[@]}" update --error-on=any 2>&1) ||
    by_hand "apt-get update with the source lines failed: $log"
has_version apt-cache "${opts[@]}" || by_hand "the archive's source lines do not carry $src $version: $log"
if [ -n "$prepare" ]; then
    printf '%s\n' "${opts[@]}"
    exit 0
fi
apt-get "${opts[@]}" source -qq "$src=$version"
