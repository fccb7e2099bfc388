#!/usr/bin/env bash
# Line and branch coverage of src/ and tools/ from the whole suite.
#   scripts/coverage.sh [build-folder]      (default build-cov; report in <build-folder>/coverage/)
# Builds with -DVINTRAX_COVERAGE=ON, runs every test, and prints gcovr's summary. Exception-only branches and
# branches the compiler proves unreachable are left out, so the branch figure counts decisions in our code.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-cov}
command -v gcovr >/dev/null || apt-get install -y gcovr
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVINTRAX_COVERAGE=ON "${launcher[@]}" >/dev/null
cmake --build "$build" -j2
find "$build" -name '*.gcda' -delete
(cd "$build" && QT_QPA_PLATFORM=offscreen ctest -j2 --output-on-failure) || echo "coverage: some tests failed" >&2
mkdir -p "$build/coverage"
gcovr --root . --object-directory "$build" --filter 'src/' --filter 'tools/' \
      --exclude-throw-branches --exclude-unreachable-branches --gcov-ignore-parse-errors \
      --html-details "$build/coverage/index.html" --txt "$build/coverage/summary.txt" --print-summary \
  | tail -3
