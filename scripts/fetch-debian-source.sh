#!/usr/bin/env bash
# Downloads and unpacks the source package of one Debian package from the Debian mirrors that this
# machine's apt already uses (their deb-src side), with an apt state of its own under the target
# folder, so the system's apt configuration stays untouched. apt checks the files against the
# signed index. Usage: scripts/fetch-debian-source.sh PACKAGE TARGET_DIR
set -euo pipefail
package=$1
target=$(realpath -m "$2")
mkdir -p "$target/apt/parts" "$target/apt/lists/partial" "$target/apt/cache/archives/partial"

# Debian's own stanzas of the system's sources, turned into deb-src stanzas.
parts="$target/apt/parts/debian-src.sources"
: >"$parts"
for f in /etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] || continue
    awk 'BEGIN { RS = ""; ORS = "\n\n" }
         /URIs:[^\n]*debian\.org/ { sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$f" >>"$parts"
done
list="$target/apt/parts/debian-src.list"
: >"$list"
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -e "$f" ] || continue
    sed -n -E 's/^deb (\[[^]]*\] )?(https?:\/\/[^ ]*debian\.org[^ ]*)(.*)$/deb-src \1\2\3/p' "$f" >>"$list"
done
if [ ! -s "$parts" ] && [ ! -s "$list" ]; then
    echo "No Debian mirror found in /etc/apt/sources.list*" >&2
    exit 1
fi

apt_opts=(-q -o "Dir::Etc::SourceList=/dev/null" -o "Dir::Etc::SourceParts=$target/apt/parts"
          -o "Dir::State::Lists=$target/apt/lists" -o "Dir::Cache=$target/apt/cache"
          -o "APT::Sandbox::User=root")
apt-get "${apt_opts[@]}" update >/dev/null
cd "$target"
apt-get "${apt_opts[@]}" source "$package" >/dev/null
