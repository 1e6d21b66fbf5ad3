#!/usr/bin/env bash
# End-to-end test of what a screen reader gets: a private D-Bus session bus and the accessibility
# bus (at-spi-bus-launcher) with accessibility switched on, as a desktop has while a screen reader
# runs; then the installed editor under Xvfb, read and driven only through the AT-SPI tree by
# screen_reader.py (pyatspi): roles, names, states, label relations and announcements; two tiles
# drawn, the layer changed, the Open dialog opened and cancelled, the layout named and saved. The
# saved file is read back with tilvaro-layout.
#
# Usage: screen_reader.sh <build dir> [<artifacts dir>]
# Exit codes: 0 passed, 1 failed, 77 skipped (no Xvfb, D-Bus, AT-SPI bus or pyatspi here).
set -euo pipefail

BUILD_DIR=${1:?usage: screen_reader.sh <build dir> [<artifacts dir>]}
ARTIFACTS=${2:-$BUILD_DIR/e2e-artifacts}
HERE=$(cd "$(dirname "$0")" && pwd)
# pyatspi is the distribution's package: it lives with the distribution's Python.
PYTHON=/usr/bin/python3
[[ -x $PYTHON ]] || PYTHON=python3

# shellcheck source=tests/e2e/e2e_lib.sh
source "$HERE/e2e_lib.sh"
# shellcheck source=tests/e2e/a11y_bus.sh
source "$HERE/a11y_bus.sh"
e2e_init
for tool in "${A11Y_BUS_TOOLS[@]}"; do
  command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done
"$PYTHON" -c 'import pyatspi' 2>/dev/null || { echo "SKIP: pyatspi is not installed"; exit 77; }
E2E_LOGS+=("$WORK/editor.log" "$WORK/runtime/bus.log")

install_build "$BUILD_DIR"
start_x_session

# --- the session bus and the accessibility bus ------------------------------------------------
# What a desktop does when a screen reader is on: programs started from now on join the bus.
mkdir -m 700 "$WORK/runtime"
start_a11y_bus "$WORK/runtime" true || { E2E_PIDS+=("${A11Y_BUS_PIDS[@]}"); fail "no accessibility bus"; }
E2E_PIDS+=("${A11Y_BUS_PIDS[@]}")

# --- the editor ---------------------------------------------------------------------------------
RUN_DIR=$WORK/run
mkdir -p "$RUN_DIR/layouts"
start_editor "$RUN_DIR"
"$PYTHON" "$HERE/screen_reader.py" "$RUN_DIR/layouts" || fail "the editor as a screen reader reads it"
screenshot screen-reader-editor
json=$("$PREFIX/bin/tilvaro-layout" show --json "$RUN_DIR/layouts/vorgelesen.set") || fail "the saved layout cannot be read"
[[ $json == *'"name":"Barrierefrei"'* && $json == *'"tiles":2,'* &&
   $json == *'"layers":[["x.............","..x...........",'* ]] ||
  fail "the saved layout is not the one drawn and named: $json"
echo "PASS: the editor is named, stateful and operable through AT-SPI"
