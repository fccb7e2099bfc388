#!/bin/sh
# vintrax-wine EMULATOR IMAGE,N: starts the Win32 C64 emulator under Wine. Vintrax runs it in place of the emulator,
# which Linux cannot run, with the emulator's own argument list after it. The image becomes Wine's short Windows
# path, and the "$LOADPATH=" line Vintrax wrote into the emulator's C64.CFG in Linux form becomes the short Windows
# path of that folder. Needs wine (Debian: apt-get install wine), which brings winepath.
me=vintrax-wine
# shellcheck source=vintrax-bridge-common.sh
. "$(dirname "$(readlink -f "$0")")/vintrax-bridge-common"
[ $# -eq 2 ] || fail "usage: vintrax-wine EMULATOR IMAGE,N"
emulator=$1
[ -f "$emulator" ] || fail "the emulator is missing: $emulator"
splitGame "$2"
command -v wine >/dev/null 2>&1 || fail "wine is not installed (Debian: apt-get install wine)"
command -v winepath >/dev/null 2>&1 || fail "winepath is not installed (it comes with wine)"

# The short Windows path of an existing Linux path: winepath -w gives the long form, winepath -s shortens it.
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
exec wine "$emulator" "$game,$entry"
