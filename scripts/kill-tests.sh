#!/usr/bin/env bash
# Runs the kill -9 tests with more kills than CI does: scripts/kill-tests.sh [KILLS] [SEED]
# (200 kills per writer and seed 11 by default). Needs a build from scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/../build"
VINTRAX_KILL_COUNT=${1:-200} VINTRAX_KILL_SEED=${2:-11} QT_QPA_PLATFORM=offscreen \
  ctest -R durability --output-on-failure
