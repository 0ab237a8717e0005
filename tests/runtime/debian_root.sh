#!/usr/bin/env bash
# Makes (once) a minimal Debian root for SUITE under ROOTS/SUITE with
# debootstrap --variant=minbase: no Qt, no X11 client library, no fonts.
# A finished root is kept between runs; a half-built one is built again.
# Usage: debian_root.sh SUITE ROOTS
# Exit status 77 means the archive could not be reached (the caller skips).
set -euo pipefail
suite=$1
roots=$2
root="$roots/$suite"
mkdir -p "$roots"

# The mirror this machine's apt uses, else Debian's own.
mirror=http://deb.debian.org/debian
for sources in /etc/apt/sources.list.d/debian.sources /etc/apt/sources.list; do
    [[ -r "$sources" ]] || continue
    found=$(grep -E "^(URIs:|deb )" "$sources" | grep -oE "https?://[^ ]+/debian/?( |$)" | head -n 1 | tr -d " " || true)
    if [[ -n "$found" ]]; then mirror=$found; break; fi
done

exec 9>"$roots/$suite.lock"
flock 9
if [[ -f "$root/.complete" ]]; then exit 0; fi

rm -rf "$root.part"
log="$roots/$suite.log"
if ! debootstrap --variant=minbase "$suite" "$root.part" "$mirror" >"$log" 2>&1; then
    rm -rf "$root.part"
    if grep -qiE 'Failed getting release file|Could not resolve|unable to fetch|Temporary failure' "$log"; then
        echo "debootstrap cannot reach $mirror for $suite (see $log)"
        exit 77
    fi
    echo "debootstrap failed for $suite (see $log)" >&2
    tail -n 20 "$log" >&2
    exit 1
fi
rm -rf "$root"
mv "$root.part" "$root"
touch "$root/.complete"
