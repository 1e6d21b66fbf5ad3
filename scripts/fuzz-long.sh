#!/usr/bin/env bash
# A long local fuzz run: builds the fuzz targets (clang) in build-fuzz and runs each in turn for the
# given time (default one hour each) with inputs up to 4 MiB, the format's dictionary and memory
# limits, starting from the committed seeds (fuzz/seeds and the tests' layout fixtures) and the
# corpus earlier runs left in build-fuzz.
#   scripts/fuzz-long.sh [seconds per target] [target...]
# Findings are written to build-fuzz/fuzz/<target>-crash-* (and leak-, oom-, timeout-).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-3600}
shift || true
targets=("$@")
((${#targets[@]})) || targets=(profile_fuzz layout_fuzz layout_file_fuzz)

bash "$top/scripts/build.sh" build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DTILVARO_GUI=OFF -DTILVARO_TESTS=OFF -DTILVARO_BENCH=OFF -DTILVARO_FUZZ=ON

status=0
for target in "${targets[@]}"; do
  corpus=$top/build-fuzz/fuzz/corpus/$target
  mkdir -p "$corpus"
  # Memory: 4 MiB inputs may take a few times their size; more than this is a finding.
  limits=(-rss_limit_mb=2048 -malloc_limit_mb=1024)
  [[ $target == layout_file_fuzz ]] && limits=(-rss_limit_mb=1024 -malloc_limit_mb=512)
  echo "== $target for ${seconds}s"
  "$top/build-fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=30 -max_len=4194304 -len_control=20 \
    -dict="$top/fuzz/layout.dict" "${limits[@]}" -print_final_stats=1 \
    -artifact_prefix="$top/build-fuzz/fuzz/$target-" "$corpus" "$top/fuzz/seeds" "$top/tests/fixtures/layout" || status=1
done
exit $status
