#!/usr/bin/env bash
# Runs every kill -9 test with more kills than CI does (20): the file writers and tools, the settings file and
# the catalogue. Usage: scripts/kill-tests.sh [KILLS [SEED]]  (200 kills per writer and seed 11 by default;
# a failure names the kill and the seed). Builds the tests into build/ when they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build/build.ninja ]; then
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build build -j2
cd build
VINTRAX_KILL_COUNT=${1:-200} VINTRAX_KILL_SEED=${2:-11} QT_QPA_PLATFORM=offscreen \
  ctest -R "durability|writers" --output-on-failure
