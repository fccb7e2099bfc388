#!/bin/sh
# vintrax-dosbox PROGRAM [ARGUMENT...] IMAGE,N: starts a DOS C64 emulator in DOSBox. Vintrax runs it in place of the
# DOS program, which Linux cannot run, with the program's own argument list after it ("ccsdpmi.exe ccs64.exe IMAGE,N"
# or "ccs64.exe IMAGE,N"). DOS knows only 8.3 names, so the image is linked as GAME.<ext> into a private folder,
# mounted as drive D:, and the program's folder as C:; the "$LOADPATH=" line Vintrax wrote into the emulator's C64.CFG
# in Linux form becomes D:\. DOSBox runs the command and closes when the emulator ends; the private folder goes then.
# Needs dosbox (Debian: apt-get install dosbox).
me=vintrax-dosbox
# shellcheck source=vintrax-bridge-common.sh
. "$(dirname "$(readlink -f "$0")")/vintrax-bridge-common"
[ $# -ge 2 ] || fail "usage: vintrax-dosbox PROGRAM [ARGUMENT...] IMAGE,N"
program=$1
shift
arguments=
while [ $# -gt 1 ]; do
    case $1 in '' | *[\ \"]*) fail "a DOS argument holds a blank or a quote: $1" ;; esac
    arguments="$arguments $1"
    shift
done
folder=$(dirname "$program")
[ -f "$program" ] || fail "the emulator is missing: $program"
splitGame "$1"
case $(basename "$program") in *[\ \"]*) fail "DOS cannot run a program whose name holds a blank or a quote: $program" ;; esac
case $folder in *\"*) fail "DOSBox cannot mount a folder whose name holds a quote: $folder" ;; esac
case $(basename "$image") in *.*) ;; *) fail "the image has no extension: $image" ;; esac
ext=$(printf '%s' "${image##*.}" | tr '[:lower:]' '[:upper:]' | cut -c1-3)
command -v dosbox >/dev/null 2>&1 || fail "dosbox is not installed (Debian: apt-get install dosbox)"

cfg=$folder/c64.cfg
case $("$tool" loadpath "$cfg" || echo failed) in
failed) exit 1 ;;
/*) "$tool" loadpath "$cfg" "D:\\" || exit 1 ;;
esac

private=$(mktemp -d "${TMPDIR:-/tmp}/vintrax-dosbox.XXXXXX") || fail "cannot make a private folder"
trap 'rm -rf "$private"' EXIT
ln -s "$(readlink -f "$image")" "$private/GAME.$ext" || fail "cannot link the image into $private"
dosbox -c "mount c \"$folder\"" -c "mount d \"$private\"" -c "c:" \
    -c "$(basename "$program")$arguments D:\\GAME.$ext,$entry" -c "exit"
