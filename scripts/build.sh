#!/usr/bin/env bash
# Configures and builds one build tree: build.sh DIR [cmake options...]
set -euo pipefail
if [ $# -lt 1 ]; then
  echo "usage: bash scripts/build.sh DIR [cmake options...]" >&2
  echo "  e.g. bash scripts/build.sh build -DCMAKE_BUILD_TYPE=Release" >&2
  exit 2
fi
dir=$1; shift
top=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$top" -B "$top/$dir" -G Ninja "$@" >/dev/null
cmake --build "$top/$dir" -j "$(nproc)"
