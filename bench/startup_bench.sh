#!/usr/bin/env bash
# Start-up benchmark of tilvaro-editor against a minimal Qt Widgets window, under Xvfb.
#   bash bench/startup_bench.sh [BUILD_DIR] [RUNS]
# BUILD_DIR defaults to build/; it must hold tilvaro-editor, minimal_window and startup_bench
# (cmake --build BUILD_DIR --target tilvaro-editor minimal_window startup_bench).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$top/build}" && pwd)
runs=${2:-15}
editor=$build/src/app/tilvaro-editor
peer=$build/bench/minimal_window
driver=$build/bench/startup_bench
for program in "$editor" "$peer" "$driver"; do
  [ -x "$program" ] || { echo "missing $program: build it first" >&2; exit 1; }
done
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
unset QT_QPA_PLATFORM
cd "$top/examples"
exec xvfb-run -a -s "-screen 0 1024x768x24" "$driver" "$editor" "$peer" "$runs"
