#!/usr/bin/env bash
# Lines of product code against lines of tests.
#   product: .cpp and .h under src/, tools/ and demo/, and the .sh scripts of tools/ (the emulator bridges)
#   tests:   .cpp, .h, .sh and .py under tests/
# Prints both, the ratio, and (with -v) the test lines per folder of tests/.
set -euo pipefail -f
cd "$(dirname "$0")/.."
count() { find "$@" -type f \( -false $(printf -- ' -o -name *.%s' $EXTS) \) -print0 | xargs -0 cat 2>/dev/null | wc -l; }
EXTS="cpp h" product=$(( $(count src demo) + $(EXTS="cpp h sh"; count tools) ))
EXTS="cpp h sh py"; tests=$(count tests)
echo "product $product"
echo "tests   $tests"
awk -v p="$product" -v t="$tests" 'BEGIN { printf "ratio   %.1f %%\n", 100 * t / p }'
if [[ ${1:-} == -v ]]; then
    for d in $(find tests -mindepth 1 -maxdepth 2 -type d | sort); do
        printf '%8d  %s\n' "$(count "$d")" "$d"
    done
fi
