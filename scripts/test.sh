#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test:
#   1. the normal build: unit, widget and end-to-end tests;
#   2. the same tests under AddressSanitizer and UndefinedBehaviorSanitizer;
#   3. the libFuzzer targets (clang), each for a short fixed time.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/install-deps.sh"
export QT_QPA_PLATFORM=offscreen
export CTEST_OUTPUT_ON_FAILURE=1
jobs=$(nproc)

echo "== normal build"
bash "$top/scripts/build.sh" build -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir "$top/build" -j "$jobs" --timeout 600

echo "== sanitizer build"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$top/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
bash "$top/scripts/build.sh" build-asan -DCMAKE_BUILD_TYPE=Debug -DTILVARO_SANITIZE=ON -DTILVARO_BENCH=OFF
ctest --test-dir "$top/build-asan" -j "$jobs" --timeout 900 -LE e2e

echo "== fuzz build"
bash "$top/scripts/build.sh" build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DTILVARO_GUI=OFF -DTILVARO_TESTS=OFF -DTILVARO_BENCH=OFF -DTILVARO_FUZZ=ON
ctest --test-dir "$top/build-fuzz" --timeout 600 -L fuzz
