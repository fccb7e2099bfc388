#!/usr/bin/env bash
# Start-up as a user sees it: the time from starting a program until its main window, captioned with the game
# count, is viewable under X (polled every 10 ms with xwininfo). Each case gets one unmeasured start first (the
# files come into the page cache, and the catalogue's check is remembered as it is after any earlier run), then
# RUNS measured starts; the best and every run are printed, in milliseconds.
#
#   bash bench/startup-under-x.sh [BUILD_DIR]
#
# Cases (CASES, default "floor demo 30000 100000"): "floor" is bench/startup_floor.cpp, a bare Qt main window with
# a 14-row list built with the same Qt; "demo" is vintrax on the staged demo catalogue; a number is vintrax on the
# demo catalogue with that many benchmark games added. Vintrax starts on the all-games view with a game from the
# middle of the list selected, without first-run notes.
#
# Needs the Debian packages xvfb, openbox and x11-utils (not part of the CI set-up: the suite does not run this).
# Environment: DISPLAY_NUMBER (default 99) is the display of the Xvfb this script starts, with openbox as its
# window manager; RUNS (default 3); CHECK=always removes the record of the last clean catalogue check before
# every start, so every start checks the catalogue as a start after a change to it does.
set -euo pipefail

build=$(realpath "${1:-build}")
display=":${DISPLAY_NUMBER:-99}"
runs=${RUNS:-3}
cases=${CASES:-floor demo 30000 100000}
check=${CHECK:-remembered}

vintrax="$build/Vintrax/vintrax"
floor="$build/bench/startup_floor"
maker="$build/bench/make_bench_catalogue"
for program in "$vintrax" "$floor" "$maker"; do
    [ -x "$program" ] || { echo "missing $program: build the targets vintrax_stage, startup_floor and make_bench_catalogue" >&2; exit 1; }
done

work=$(mktemp -d)
x_pids=()
cleanup() {
    for pid in "${x_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A display of this run's own: one that is already in use belongs to somebody else.
if xdpyinfo -display "$display" >/dev/null 2>&1; then
    echo "display $display is in use: choose another DISPLAY_NUMBER" >&2
    exit 1
fi
Xvfb "$display" -screen 0 1600x1200x24 -nolisten tcp >/dev/null 2>&1 &
x_pids+=($!)
for _ in $(seq 100); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.05; done
if ! kill -0 "${x_pids[0]}" 2>/dev/null || ! xdpyinfo -display "$display" >/dev/null 2>&1; then
    echo "Xvfb did not start on $display" >&2
    exit 1
fi
DISPLAY="$display" openbox >/dev/null 2>&1 &
x_pids+=($!)
sleep 1
kill -0 "${x_pids[1]}" 2>/dev/null || { echo "openbox did not start on $display" >&2; exit 1; }

# A program folder with the four tools every start checks for and a catalogue of COUNT added games, and a
# settings file; sets $caption and $case_env for the case.
prepare_vintrax() {
    local dir="$work/$1" count=$2
    mkdir -p "$dir/program/Conversion" "$dir/program/Screenshots" "$dir/program/CURRGAME" "$dir/config/Vintrax" "$dir/runtime"
    chmod 700 "$dir/runtime"
    for tool in bmp2gif gunzip lha zip2d64; do cp "$build/Vintrax/Conversion/$tool" "$dir/program/Conversion/"; done
    local made
    made=$("$maker" "$build/Vintrax/Vintrax.mdb" "$dir/program/Vintrax.mdb" "$count")
    local games selected
    games=$(sed -n 1p <<<"$made")
    selected=$(sed -n 2p <<<"$made")
    printf '[Startup]\nShowPrefs=False\nV13Start=True\nWhatListBox=0\nTitleBar=0\nCurrentGame=%s\n' "$selected" \
        > "$dir/config/Vintrax/Vintrax.ini"
    caption="vintrax  -  $games game(s) in total"
    case_env=(VINTRAX_HOME="$dir/program" XDG_CONFIG_HOME="$dir/config" XDG_RUNTIME_DIR="$dir/runtime")
    check_record="$dir/config/Vintrax/CatalogueCheck.txt"
}

# One start: milliseconds from the start until the window is viewable, on stdout.
start_once() {
    local program=$1
    [ "$check" = always ] && [ -n "$check_record" ] && rm -f "$check_record"
    local begin=$EPOCHREALTIME
    env DISPLAY="$display" "${case_env[@]}" "$program" >/dev/null 2>&1 &
    local pid=$! shown=""
    for _ in $(seq 3000); do
        if xwininfo -display "$display" -name "$caption" 2>/dev/null | grep -q 'Map State: IsViewable'; then
            shown=$EPOCHREALTIME
            break
        fi
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.01
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    [ -n "$shown" ] || { echo "the window \"$caption\" did not show" >&2; return 1; }
    awk -v a="$begin" -v b="$shown" 'BEGIN { printf "%.0f\n", (b - a) * 1000 }'
}

echo "# $(date -Is) $(uptime | sed 's/.*load/load/') runs=$runs check=$check"
for c in $cases; do
    check_record=""
    if [ "$c" = floor ]; then
        caption="floor  -  14 game(s) in total"
        case_env=(XDG_RUNTIME_DIR="$work")
        program=$floor
    else
        prepare_vintrax "$c" "$([ "$c" = demo ] && echo 0 || echo "$c")"
        program=$vintrax
    fi
    start_once "$program" >/dev/null
    times=()
    for _ in $(seq "$runs"); do times+=("$(start_once "$program")"); done
    best=$(printf '%s\n' "${times[@]}" | sort -n | head -1)
    printf '%-8s best %4d ms   runs %s\n' "$c" "$best" "${times[*]}"
done
