#!/bin/sh
# vintrax-x64sc IMAGE,N: starts a game in the native C64 emulator x64sc. Point an emulator path of Vintrax at a link
# to this script in a folder of your own that also holds a C64.CFG: Vintrax writes the game's ports and load folder
# there as for any emulator, and this script passes the ports on as x64sc's joystick devices and autostarts the
# image's entry N by its name (the entry counted as Vintrax's listing counts it). x64sc is found on PATH, or named by
# the variable VINTRAX_X64SC.
me=vintrax-x64sc
# shellcheck source=vintrax-bridge-common.sh
. "$(dirname "$(readlink -f "$0")")/vintrax-bridge-common"
[ $# -eq 1 ] || fail "usage: vintrax-x64sc IMAGE,N"
emulator=${VINTRAX_X64SC:-x64sc}
command -v "$emulator" >/dev/null 2>&1 || fail "the emulator is missing: $emulator (install x64sc or name it in VINTRAX_X64SC)"
splitGame "$1"
name=$("$tool" entry "$image" "$entry") || exit 1
ports=$("$tool" ports "$(dirname "$0")/c64.cfg") || exit 1
[ -z "$name" ] || image=$image:$name
# shellcheck disable=SC2086 # the options are words without blanks
exec "$emulator" $ports -autostart "$image"
