#!/usr/bin/env bash
# End-to-end test of the hints: starts the built tilvaro-editor under Xvfb with openbox, rests the
# pointer on the menu button "Neu" and checks that its hint "Neues Layout" comes after the pause,
# with its left edge at the pointer's x and its top edge on the screen row of the pointer image's
# lowest visible row (read from the X server by cursor_probe), and that it goes after five
# seconds; moving on to "Öffnen" shows that button's hint; controls without a hint show none.
# Screenshots go to the artifacts folder.
#
# Usage: hint_window.sh <build dir> [<artifacts dir>]
# Exit codes: 0 passed, 1 failed, 77 skipped (no Xvfb on this machine).
set -euo pipefail

BUILD_DIR=$(cd "${1:?usage: hint_window.sh <build dir> [<artifacts dir>]}" && pwd)
ARTIFACTS=${2:-$BUILD_DIR/e2e-artifacts}
EDITOR=$BUILD_DIR/src/app/tilvaro-editor
PROBE=$BUILD_DIR/tests/e2e/cursor_probe

# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh"
e2e_init
E2E_LOGS+=("$WORK/editor.log")
for program in "$EDITOR" "$PROBE"; do
  [[ -x $program ]] || fail "missing $program: build it first"
done

start_x_session
mkdir -p "$WORK/run/layouts"
(cd "$WORK/run" && QT_QPA_PLATFORM=xcb exec "$EDITOR") >"$WORK/editor.log" 2>&1 &
E2E_PIDS+=($!)
await_editor "its start"

now_ms() { echo $(($(date +%s%N) / 1000000)); }
hint_shows() { window_exists "$1"; }
# Client positions: the left menu panel starts at (0, 32); "Neu" is at (33, 72) in it, 70 x 55,
# and "Öffnen" right below it at (33, 128).
NEW_X=68 NEW_Y=131 OPEN_X=68 OPEN_Y=187

# Rest first where no control has a hint (the black top strip), then on "Neu".
xdotool mousemove --window "$EDITOR_WINDOW" 300 20
sleep 1
wait_for 10 window_gone "Neues Layout" || fail "a hint stayed up"
start=$(now_ms)
xdotool mousemove --window "$EDITOR_WINDOW" "$NEW_X" "$NEW_Y"
sleep 0.25
hint_shows "Neues Layout" && fail "the hint showed within a quarter of a second"
wait_for 10 hint_shows "Neues Layout" || fail "no hint on \"Neu\""
shown=$(now_ms)
echo "hint appeared $((shown - start)) ms after the pointer came to rest"
screenshot hint-on-new

HINT_WINDOW=$(find_window "Neues Layout")
eval "$(xdotool getmouselocation --shell)"  # X, Y
read -r _ _ _ hot_y lowest_row < <("$PROBE") || fail "cursor_probe could not read the cursor"
geometry=$(xwininfo -id "$HINT_WINDOW")
left=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$geometry")
top=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$geometry")
expected_top=$((Y + lowest_row - hot_y))
echo "pointer ($X, $Y), image rows to $lowest_row with hot spot row $hot_y; hint at ($left, $top)"
[[ $left == "$X" ]] || fail "hint's left edge $left is not at the pointer's x $X"
[[ $top == "$expected_top" ]] || fail "hint's top edge $top is not on the pointer image's lowest row $expected_top"

wait_for 15 sh -c "! xwininfo -id $HINT_WINDOW | grep -q IsViewable" || fail "the hint did not go away"
gone=$(now_ms)
echo "hint went $((gone - shown)) ms after it appeared"
((gone - start >= 5000)) || fail "the hint went before five seconds had passed"
screenshot hint-gone

# While a hint shows, the next button's hint comes almost at once.
xdotool mousemove --window "$EDITOR_WINDOW" 300 20
sleep 1
xdotool mousemove --window "$EDITOR_WINDOW" "$NEW_X" "$NEW_Y"
wait_for 10 hint_shows "Neues Layout" || fail "no hint on \"Neu\" the second time"
xdotool mousemove --window "$EDITOR_WINDOW" "$OPEN_X" "$OPEN_Y"
wait_for 10 hint_shows "Layout öffnen" || fail "no hint on \"Öffnen\""
screenshot hint-on-open
xdotool mousemove --window "$EDITOR_WINDOW" 300 20
wait_for 10 sh -c "! xwininfo -id $HINT_WINDOW | grep -q IsViewable" || fail "leaving did not hide the hint"

# Controls without a listed hint: the label "Name:", the name field and the cell grid.
for spot in "160 49" "300 49" "150 246"; do
  read -r x y <<<"$spot"
  xdotool mousemove --window "$EDITOR_WINDOW" "$x" "$y"
  sleep 1.5
  if xwininfo -id "$HINT_WINDOW" | grep -q IsViewable; then
    fail "a hint showed over ($x, $y), where no control has one"
  fi
done
screenshot no-hint

echo "PASS: hints"
