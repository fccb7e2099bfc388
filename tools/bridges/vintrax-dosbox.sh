#!/bin/sh
# vintrax-dosbox [--check] PROGRAM [ARGUMENT...] IMAGE,N: starts a DOS C64 emulator in DOSBox. Vintrax runs it in
# place of the DOS program, which Linux cannot run, with the program's own argument list after it ("ccsdpmi.exe
# ccs64.exe IMAGE,N" or "ccs64.exe IMAGE,N"); with --check it only finds out whether it could.
# DOS runs and opens only 8.3 names, and the DOSBox shell reads '%' and '"' in its commands, so DOSBox is shown a
# private folder alone: its links c (the emulator's folder) and d (the image's own folder) and its folder e (the image
# linked as GAME.<ext>, the batch file that runs the emulator) become C:, D: and E:. The emulator runs in C:\ with
# E:\GAME.<ext> on its command line, and the "$LOADPATH=" line Vintrax wrote into the emulator's C64.CFG in Linux form
# becomes D:\: the game's other files (a second disk) are in reach, and what the emulator saves there stays.
# DOSBox ends with exit code 0 whatever happened inside it, so the batch file leaves the emulator's errorlevel and
# output in E:; a failure comes out as exit code 1 with that output and its reason on stderr.
# Needs dosbox (Debian: apt-get install dosbox).
me=vintrax-dosbox
# shellcheck source=vintrax-bridge-common.sh
. "$(dirname "$(readlink -f "$0")")/vintrax-bridge-common"
[ $# -ge 2 ] || fail "usage: vintrax-dosbox [--check] PROGRAM [ARGUMENT...] IMAGE,N"
program=$1
shift
[ -f "$program" ] || fail "the emulator is missing: $program"
name=$(basename "$program")
rename="rename the file to an 8.3 name (such as CCS64.EXE) and the emulator path with it"
"$tool" dosname "$name" || fail "DOS cannot run $name: $rename"
command=$name
while [ $# -gt 1 ]; do
    "$tool" dosname "$1" || fail "DOS cannot run $1: $rename"
    command="$command $1"
    shift
done
splitGame "$1"
case $(basename "$image") in *.*) ;; *) fail "the image has no extension: $image" ;; esac
ext=$(printf '%s' "${image##*.}" | tr '[:lower:]' '[:upper:]' | cut -c1-3)
"$tool" dosname "GAME.$ext" || fail "DOS cannot open the image by its extension: $image"
command -v dosbox >/dev/null 2>&1 || fail "dosbox is not installed (Debian: apt-get install dosbox)"
if $checkOnly; then exit 0; fi

private=$(mktemp -d "${TMPDIR:-/tmp}/vintrax-dosbox.XXXXXX") || fail "cannot make a private folder"
trap 'rm -rf "$private"' EXIT
case $private in *[\"%]*) fail "DOSBox cannot mount the temporary folder $private (it holds a quote or a '%')" ;; esac
drive=$private/e
mkdir "$drive" && ln -s "$(readlink -f "$(dirname "$program")")" "$private/c" &&
    ln -s "$(readlink -f "$(dirname "$image")")" "$private/d" && ln -s "$(readlink -f "$image")" "$drive/GAME.$ext" ||
    fail "cannot link the emulator and the game into $private"
# The batch file: "if errorlevel N" holds for N and above, so the last that holds names the errorlevel (DOSBox has no
# FOR, and a line's redirection happens even when its IF fails).
{
    printf '@echo off\r\necho.>E:\\RUNNING\r\nC:\r\nif not exist %s goto missing\r\n' "$name"
    printf '%s E:\\GAME.%s,%s >E:\\OUTPUT.TXT\r\nset EL=0\r\n' "$command" "$ext" "$entry"
    level=1
    while [ $level -le 255 ]; do
        printf 'if errorlevel %s set EL=%s\r\n' $level $level
        level=$((level + 1))
    done
    printf 'echo %%EL%%>E:\\EXIT.TXT\r\nexit\r\n:missing\r\necho missing>E:\\EXIT.TXT\r\nexit\r\n'
} >"$drive/RUN.BAT" || fail "cannot write $drive/RUN.BAT"

cfg=$(dirname "$program")/c64.cfg
case $("$tool" loadpath "$cfg" || echo failed) in
failed) exit 1 ;;
/*) "$tool" loadpath "$cfg" "D:\\" || exit 1 ;;
esac

dosbox -c "mount c \"$private/c\"" -c "mount d \"$private/d\"" -c "mount e \"$drive\"" -c "E:\\RUN.BAT" \
    >"$private/dosbox.log" 2>&1 &
dosbox=$!
# The emulator takes over once the batch file runs.
while [ ! -e "$drive/RUNNING" ] && kill -0 $dosbox 2>/dev/null; do
    sleep 0.1
done
[ ! -e "$drive/RUNNING" ] || ready
wait $dosbox
status=$?
result=$(tr -d '\r' <"$drive/EXIT.TXT" 2>/dev/null)
case $result in
0) exit 0 ;;
missing) fail "DOSBox found no $name in $(dirname "$program")" ;;
'')
    tail -n 20 "$private/dosbox.log" >&2
    fail "DOSBox ended (exit code $status) without the emulator's result"
    ;;
*)
    output=$(tr -d '\r' <"$drive/OUTPUT.TXT" 2>/dev/null)
    [ -z "$output" ] || printf '%s\n' "$output" >&2
    fail "$name ended with errorlevel $result"
    ;;
esac
