#!/bin/sh
# vintrax-wine [--check] EMULATOR IMAGE,N: starts the Win32 C64 emulator under Wine. Vintrax runs it in place of the
# emulator, which Linux cannot run, with the emulator's own argument list after it. The image becomes Wine's short
# Windows path, and the "$LOADPATH=" line Vintrax wrote into the emulator's C64.CFG in Linux form becomes the short
# Windows path of that folder. Needs wine (Debian: apt-get install wine), which brings winepath, and for a 32-bit
# emulator such as CCS64 its 32-bit part (dpkg --add-architecture i386 && apt-get update &&
# apt-get install wine32:i386). Without that part Debian's wine runs the program in the 64-bit loader, which fails,
# and still ends with exit code 0: this bridge finds out before it starts anything.
me=vintrax-wine
# shellcheck source=vintrax-bridge-common.sh
. "$(dirname "$(readlink -f "$0")")/vintrax-bridge-common"
[ $# -eq 2 ] || fail "usage: vintrax-wine [--check] EMULATOR IMAGE,N"
emulator=$1
[ -f "$emulator" ] || fail "the emulator is missing: $emulator"
splitGame "$2"
wine=$(command -v wine) || fail "wine is not installed (Debian: apt-get install wine)"
command -v winepath >/dev/null 2>&1 || fail "winepath is not installed (it comes with wine)"
bits=$("$tool" winecheck "$emulator" "$wine") || exit 1
if $checkOnly; then exit 0; fi

# The short Windows path of an existing Linux path: winepath -w gives the long form, winepath -s shortens it. The
# first call sets up Wine's folder, which takes a while.
windows() {
    long=$(winepath -w "$1" 2>/dev/null) && [ -n "$long" ] || return 1
    short=$(winepath -s "$long" 2>/dev/null) && [ -n "$short" ] || return 1
    printf '%s\n' "$short"
}
game=$(windows "$image") || fail "Wine has no Windows path for the image: $image"

cfg=$(dirname "$emulator")/c64.cfg
folder=$("$tool" loadpath "$cfg") || exit 1
case $folder in
/*)
    loadpath=$(windows "$folder") || fail "Wine has no Windows path for the load folder: $folder"
    "$tool" loadpath "$cfg" "${loadpath%\\}\\" || exit 1
    ;;
esac

# Wine's messages are kept to be looked at once it ends: it can fail inside and still end with exit code 0.
messages=$(mktemp "${TMPDIR:-/tmp}/vintrax-wine.XXXXXX") || fail "cannot make a temporary file"
trap 'rm -f "$messages"' EXIT
ready
wine "$emulator" "$game,$entry" 2>"$messages"
status=$?
cat "$messages" >&2
# Debian's wine warns about a missing wine32 at every start; for a 32-bit program that means it did not run.
if [ "$status" -eq 0 ] && [ "$bits" = 32 ] && grep -q 'wine32 is missing' "$messages"; then
    fail "Wine could not run $(basename "$emulator"): its 32-bit part (wine32) is missing. Install it as root:
dpkg --add-architecture i386 && apt-get update && apt-get install wine32:i386"
fi
[ "$status" -eq 0 ] || fail "wine ended with exit code $status"
