#!/usr/bin/env bash
# Starts a self-contained packed file inside a bare Debian root (no Qt, no
# X11 client library, no fonts, no fontconfig setup) against an Xvfb
# display of the host, and checks that it loads its GEDCOM. In the bookworm
# root it also checks the fallbacks: a read-only home, then a read-only
# temporary folder as well.
# Usage: selfcontained_root_test.sh SUITE ROOTS TOOL GEDCOM
# Exit 77 (skip): not root, or the Debian archive cannot be reached.
set -euo pipefail
suite=$1
roots=$2
tool=$3
gedcom=$4
here=$(cd "$(dirname "$0")" && pwd)
skip=77
load_seconds=120

if [[ $(id -u) -ne 0 ]]; then
    echo "SKIP: building and entering Debian roots needs root"
    exit $skip
fi
for program in debootstrap Xvfb unshare chroot; do
    if ! command -v "$program" >/dev/null; then
        echo "$program is missing; scripts/deps installs it" >&2
        exit 1
    fi
done

status=0
"$here/debian_root.sh" "$suite" "$roots" || status=$?
if ((status == skip)); then echo "SKIP: no Debian archive for $suite"; exit $skip; fi
((status == 0)) || exit "$status"
root=$(cd "$roots/$suite" && pwd)

# The root must really lack what the file brings.
for library in libQt6Core.so.6 libX11.so.6 libxcb.so.1 libfontconfig.so.1; do
    if [[ -n $(find "$root/usr/lib" "$root/lib" -name "$library" -print -quit 2>/dev/null) ]]; then
        echo "the $suite root has $library; it should be bare" >&2
        exit 1
    fi
done

work=$(mktemp -d)
xvfb_pid=
cleanup() {
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work" "$root/opt/vellacor-test"
}
trap cleanup EXIT

mkdir -p "$root/opt/vellacor-test"
"$tool" pack "$gedcom" -o "$root/opt/vellacor-test/family" --title "Root test" >/dev/null
expected=$("$tool" dump "$gedcom" counts)

# A display of our own; Xvfb writes the number it picked.
exec 5>"$work/display"
Xvfb -displayfd 5 -nolisten tcp -screen 0 1024x768x24 >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [[ -s "$work/display" ]] && break; sleep 0.1; done
display=$(tr -d '\n' <"$work/display")
[[ -n "$display" ]] || { echo "Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }

# Runs the packed file in the root, in a mount namespace of its own (so the
# mounts vanish with it). Extra mounts for the fallback cases come first.
run_in_root() {
    local mounts=$1
    unshare --mount --fork -- bash -c '
        set -e
        root=$1; mounts=$2; shift 2
        mount -t proc proc "$root/proc"
        mkdir -p "$root/tmp/.X11-unix"
        mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
        eval "$mounts"
        exec chroot "$root" "$@"' run "$root" "$mounts" \
        env -i PATH=/usr/bin:/bin HOME=/root DISPLAY=":$display" VELLACOR_PRINT_LOADED=1 \
        timeout "$load_seconds" /opt/vellacor-test/family
}

check_loaded() {
    local what=$1 output=$2
    echo "$output" | sed "s/^/  [$what] /"
    local line
    line=$(grep '^loaded: ' <<<"$output" || true)
    for count in $(grep -oE '[0-9][0-9,]*' <<<"$expected" | head -n 2); do
        if ! grep -q "$count" <<<"$line"; then
            echo "$suite ($what): the status bar does not show $count from: $expected" >&2
            exit 1
        fi
    done
    grep -q '^platform: xcb$' <<<"$output" || { echo "$suite ($what): not on xcb" >&2; exit 1; }
    grep -q '^font: DejaVu Sans$' <<<"$output" ||
        { echo "$suite ($what): not the bundled font" >&2; exit 1; }
}

rm -rf "$root/root/.cache/vellacor" "$root/tmp/vellacor-0"
echo "== $suite: first start (unpacks the runtime)"
check_loaded "first" "$(run_in_root "" 2>&1)"
[[ -d "$root/root/.cache/vellacor" ]] || { echo "no cache in the home folder" >&2; exit 1; }
echo "== $suite: second start (reuses it)"
check_loaded "second" "$(run_in_root "" 2>&1)"

if [[ "$suite" == bookworm ]]; then
    echo "== $suite: read-only home falls back to the temporary folder"
    check_loaded "read-only home" "$(run_in_root 'mount -t tmpfs -o ro tmpfs "$root/root"' 2>&1)"
    [[ -d "$root/tmp/vellacor-0" ]] || { echo "no cache in /tmp" >&2; exit 1; }
    rm -rf "$root/tmp/vellacor-0"

    echo "== $suite: with nowhere to unpack, a clear message"
    status=0
    output=$(run_in_root 'mount -t tmpfs -o ro tmpfs "$root/root"; mount -t tmpfs -o size=64k tmpfs "$root/tmp"; mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix" 2>/dev/null || true' 2>&1) || status=$?
    echo "$output" | sed 's/^/  [no room] /'
    if ((status == 0)) || ! grep -q "Vellacor cannot start: there is no room" <<<"$output"; then
        echo "$suite: no clear message when nothing can be unpacked (exit $status)" >&2
        exit 1
    fi
fi
echo "== $suite: passed"
