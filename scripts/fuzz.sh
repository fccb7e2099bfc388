#!/usr/bin/env bash
# Builds the libFuzzer harnesses of tests/fuzz with clang, AddressSanitizer and UndefinedBehaviorSanitizer in
# build-fuzz/, and runs each for a chosen time:
#     scripts/fuzz.sh [SECONDS_PER_HARNESS] [HARNESS...]        (300 s each; by default every harness there is)
# FUZZ_JOBS harnesses run at a time (2 by default). Each one works on its own corpus in build-fuzz/corpus/NAME,
# seeded from the checked-in tests/fuzz/corpus/NAME; an input that fails is kept in build-fuzz/crashes/NAME/ and
# belongs, once its fault is fixed, in tests/fuzz/corpus/NAME. The last lines give per harness the inputs run,
# the coverage (edges and features) and the failing inputs found; build-fuzz/logs/NAME.log has the full run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
missing=()
for p in clang libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVINTRAX_FUZZ=ON \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ > /dev/null
cmake --build build-fuzz --target vintrax_fuzzers -j2

seconds=${1:-300}
[ $# -gt 0 ] && shift
harnesses=("$@")
# By default every harness there is: each tests/fuzz/fuzz_NAME.cpp, so that no reader is left out of the run.
if [ ${#harnesses[@]} -eq 0 ]; then
  for source in tests/fuzz/fuzz_*.cpp; do
    name=${source#tests/fuzz/fuzz_}
    harnesses+=("${name%.cpp}")
  done
fi
for name in "${harnesses[@]}"; do
  [ -x build-fuzz/tests/fuzz/fuzz_"$name" ] || { echo "fuzz_$name is not built: is it in tests/fuzz/CMakeLists.txt?" >&2; exit 1; }
  [ -d tests/fuzz/corpus/"$name" ] || { echo "tests/fuzz/corpus/$name is missing: a harness needs its seeds" >&2; exit 1; }
done
mkdir -p build-fuzz/logs

run_one() {
  local name=$1 seconds=$2 len=65536
  case $name in
    d64|zipcode) len=200000 ;;  # a whole disk image
    catalogue|unzip) len=131072 ;;
    gunzip) len=16384 ;;        # the decoded data stays in memory
  esac
  local corpus=build-fuzz/corpus/$name crashes=build-fuzz/crashes/$name
  mkdir -p "$corpus" "$crashes"
  cp -n tests/fuzz/corpus/"$name"/* "$corpus"/ 2>/dev/null || true
  LSAN_OPTIONS="suppressions=$PWD/cmake/lsan-qt.supp:print_suppressions=0" \
  UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
    build-fuzz/tests/fuzz/fuzz_"$name" -max_total_time="$seconds" -max_len="$len" -timeout=30 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$crashes/" "$corpus" > build-fuzz/logs/"$name".log 2>&1 || true
}
export -f run_one
printf '%s\n' "${harnesses[@]}" | xargs -P "${FUZZ_JOBS:-2}" -I{} bash -c 'run_one "$@"' _ {} "$seconds"

printf '%-10s %12s %8s %8s %8s\n' harness executions edges features failing
for name in "${harnesses[@]}"; do
  log=build-fuzz/logs/$name.log
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)
  last=$(grep -E '^#[0-9]+' "$log" | tail -1)
  edges=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<< "$last")
  features=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<< "$last")
  failing=$(find build-fuzz/crashes/"$name" -type f | wc -l)
  printf '%-10s %12s %8s %8s %8s\n' "$name" "${execs:-?}" "${edges:-?}" "${features:-?}" "$failing"
done
