#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test:
#   1. the normal build (GCC): unit, widget and end-to-end tests; the benchmarks are built too;
#   2. the sanitizer build (clang): the same tests but the end-to-end ones, under AddressSanitizer
#      and UndefinedBehaviorSanitizer, and the libFuzzer targets, each for a short fixed time
#      (scripts/fuzz-long.sh runs them for hours).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/install-deps.sh"
export QT_QPA_PLATFORM=offscreen
export CTEST_OUTPUT_ON_FAILURE=1
jobs=$(nproc)

echo "== normal build"
bash "$top/scripts/build.sh" build -DCMAKE_BUILD_TYPE=Release
ctest --test-dir "$top/build" -j "$jobs" --timeout 600

echo "== sanitizer build, with the fuzz targets"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$top/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
bash "$top/scripts/build.sh" build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DTILVARO_FUZZ=ON
ctest --test-dir "$top/build-asan" -j "$jobs" --timeout 900 -LE e2e
