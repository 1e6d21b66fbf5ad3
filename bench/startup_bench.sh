#!/usr/bin/env bash
# Start-up benchmark of tilvaro-editor against a minimal Qt Widgets window, under Xvfb.
#   bash bench/startup_bench.sh [BUILD_DIR] [RUNS] [ACCESSIBILITY]
# BUILD_DIR defaults to build/; it must hold tilvaro-editor, minimal_window and startup_bench
# (cmake --build BUILD_DIR --target tilvaro-editor minimal_window startup_bench).
# ACCESSIBILITY is where the programs start:
#   none  no session bus, as on a bare display (the default)
#   off   a private session bus with the accessibility bus, accessibility off: a desktop without
#         a screen reader
#   on    the same with accessibility on, as while a screen reader runs: Qt's bridge joins the
#         accessibility bus and the programs make the accessible objects of what they show
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$top/build}" && pwd)
runs=${2:-15}
accessibility=${3:-none}
editor=$build/src/app/tilvaro-editor
peer=$build/bench/minimal_window
driver=$build/bench/startup_bench
for program in "$editor" "$peer" "$driver"; do
  [ -x "$program" ] || { echo "missing $program: build it first" >&2; exit 1; }
done
unset QT_QPA_PLATFORM DBUS_SESSION_BUS_ADDRESS
runtime=$(mktemp -d)
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$runtime}
pids=()
trap 'for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; rm -rf "$runtime"' EXIT

case $accessibility in
  none) ;;
  off | on)
    # shellcheck source=tests/e2e/a11y_bus.sh
    source "$top/tests/e2e/a11y_bus.sh"
    for tool in "${A11Y_BUS_TOOLS[@]}"; do
      command -v "$tool" >/dev/null || { echo "missing $tool (Debian: dbus-daemon, dbus-bin, at-spi2-core)" >&2; exit 1; }
    done
    enabled=false
    [ "$accessibility" = on ] && enabled=true
    start_a11y_bus "$runtime" "$enabled" || { pids+=("${A11Y_BUS_PIDS[@]}"); exit 1; }
    pids+=("${A11Y_BUS_PIDS[@]}")
    ;;
  *) echo "ACCESSIBILITY is none, off or on, not '$accessibility'" >&2; exit 2 ;;
esac

cd "$top/examples"
echo "accessibility: $accessibility"
xvfb-run -a -s "-screen 0 1024x768x24" "$driver" "$editor" "$peer" "$runs"
