#!/usr/bin/env bash
# Kills every file writer with SIGKILL at 200 random moments each (the suite does 20) and checks that each target
# is always the old or the new content, whole. Needs the build of scripts/test.sh; builds the test if it is missing.
# Usage: scripts/kill-test.sh [KILLS [SEED]]   (a random seed unless given; it is printed, to repeat a run)
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build/build.ninja ]; then
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build build --target TestWritersKilled -j2
cd build
kills="${1:-200}"
seed="${2:-$RANDOM}"
echo "kill test: $kills kills per writer, seed $seed"
VINTRAX_KILLS="$kills" VINTRAX_KILL_SEED="$seed" QT_QPA_PLATFORM=offscreen ./tests/writers/TestWritersKilled
