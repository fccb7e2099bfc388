#!/bin/sh
# vintrax-x64sc IMAGE,N: starts a game in the native C64 emulator x64sc. Point an emulator path of Vintrax at a link
# to this script in a folder of your own that also holds a C64.CFG: Vintrax writes the game's ports and load folder
# there as for any emulator, and this script passes the ports on as x64sc's joystick devices and autostarts the
# image's entry N by its name (the entry counted as Vintrax's listing counts it). x64sc is found on PATH, or named by
# the variable VINTRAX_X64SC.
set -u
me=vintrax-x64sc
tool=$(dirname "$(readlink -f "$0")")/vintrax-bridgetool
fail() {
    printf '%s: %s\n' "$me" "$*" >&2
    exit 1
}
[ $# -eq 1 ] || fail "usage: vintrax-x64sc IMAGE,N"
case $1 in *,*) ;; *) fail "no entry number after the image: $1" ;; esac
image=${1%,*} entry=${1##*,} # file names such as "Last Ninja, The.d64" hold commas of their own
emulator=${VINTRAX_X64SC:-x64sc}
command -v "$emulator" >/dev/null 2>&1 || fail "the emulator is missing: $emulator (install x64sc or name it in VINTRAX_X64SC)"
[ -f "$image" ] || fail "the image is missing: $image"
name=$("$tool" entry "$image" "$entry") || exit 1
ports=$("$tool" ports "$(dirname "$0")/c64.cfg") || exit 1
[ -z "$name" ] || image=$image:$name
# shellcheck disable=SC2086 # the options are words without blanks
exec "$emulator" $ports -autostart "$image"
