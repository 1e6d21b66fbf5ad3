#!/usr/bin/env bash
# End-to-end test: installs the built tree into a temporary prefix, starts the installed
# tilvaro-editor under Xvfb with the openbox window manager, sets two tiles and the layout name
# with real pointer clicks and key strokes (xdotool), saves the layout through the input dialog and
# checks the written file byte for byte; then checks the dialog's keys (Enter and Escape keep it
# open, Alt+O confirms, closing it from the title bar cancels) and that closing the window ends the
# program.
#
# Usage: save_layout.sh <build dir> [<artifacts dir>]
# Exit codes: 0 passed, 1 failed, 77 skipped (no Xvfb on this machine).
set -euo pipefail

BUILD_DIR=${1:?usage: save_layout.sh <build dir> [<artifacts dir>]}
ARTIFACTS=${2:-$BUILD_DIR/e2e-artifacts}
SAVE_TITLE="Layout speichern ..."
LAYOUT_FILE_NAME="e2e-brett"
LAYOUT_NAME="Prüfbrett"  # typed as Unicode, stored as Windows-1252 (ü = 0xFC)

# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh"
e2e_init
EDITOR_PID=""
E2E_LOGS+=("$WORK/editor.log")

# --- install ---------------------------------------------------------------------------------
install_build "$BUILD_DIR"
for installed in bin/tilvaro-editor share/applications/tilvaro-editor.desktop \
                 share/icons/hicolor/32x32/apps/tilvaro-editor.png; do
  [[ -e $PREFIX/$installed ]] || fail "not installed: $installed"
done

start_x_session

# --- the editor, started in a folder with a layouts folder -----------------------------------
RUN_DIR=$WORK/run
mkdir -p "$RUN_DIR/layouts"
start_editor "$RUN_DIR"

# Grid cells are 12 pixels with one-pixel lines, the grid's top-left at client (144, 240).
cell_centre_x() { echo $((144 + $1 * 13 + 6)); }
cell_centre_y() { echo $((240 + $1 * 13 + 6)); }

click "$EDITOR_WINDOW" "$(cell_centre_x 0)" "$(cell_centre_y 0)"
click "$EDITOR_WINDOW" "$(cell_centre_x 3)" "$(cell_centre_y 2)"

# The name field: client (192, 40), 289 x 19.
click "$EDITOR_WINDOW" 300 49
xdotool type --delay 50 "$LAYOUT_NAME"
sleep 0.3
screenshot editor-before-save

# Save: the menu button at (33, 184) in the left panel, which starts at client (0, 32); 70 x 55.
click "$EDITOR_WINDOW" $((33 + 35)) $((32 + 184 + 27))
wait_for 10 window_exists "$SAVE_TITLE" || fail "the save dialog did not appear"
DIALOG_WINDOW=$(find_window "$SAVE_TITLE")
xdotool windowactivate --sync "$DIALOG_WINDOW" >/dev/null 2>&1 || true
sleep 0.3
# The dialog, frame included, is centred on the screen (1024 x 768).
read -r dlg_x dlg_y dlg_w dlg_h < <(xwininfo -id "$DIALOG_WINDOW" |
  awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} /Width:/ {w=$NF}
       /Height:/ {h=$NF} END {print x, y, w, h}')
((dlg_w == 353 && dlg_h == 104)) || fail "the dialog's client area is ${dlg_w} x ${dlg_h}"
IFS=', ' read -r fl fr ft fb < <(xprop -id "$DIALOG_WINDOW" _NET_FRAME_EXTENTS | sed 's/.*= //')
centre_dx=$(((dlg_x - fl) * 2 + dlg_w + fl + fr - 1024))
centre_dy=$(((dlg_y - ft) * 2 + dlg_h + ft + fb - 768))
((centre_dx >= -3 && centre_dx <= 3 && centre_dy >= -3 && centre_dy <= 3)) ||
  fail "the dialog is not centred (off by $centre_dx/2, $centre_dy/2)"
# The edit has the focus with its whole text selected: typing replaces the proposal.
xdotool type --delay 50 "$LAYOUT_FILE_NAME"
sleep 0.3
screenshot save-dialog
# OK: client (280, 80), 65 x 22.
click "$DIALOG_WINDOW" $((280 + 32)) $((80 + 11))

LAYOUT_FILE=$RUN_DIR/layouts/$LAYOUT_FILE_NAME.set
wait_for 10 test -s "$LAYOUT_FILE" || fail "no file written at $LAYOUT_FILE"
wait_for 5 sh -c "! xdotool search --onlyvisible --name '^Layout speichern' | grep -q ." ||
  fail "the save dialog is still open"

# --- the file, byte for byte -----------------------------------------------------------------
# Every line ends in CR LF; blank lines between sections are allowed.
if LC_ALL=C grep -q -e $'[^\r]$' -e '^$' "$LAYOUT_FILE" || [[ $(tail -c 2 "$LAYOUT_FILE" | od -An -tx1 | tr -d ' ') != 0d0a ]]; then
  od -c "$LAYOUT_FILE" | head -n 20
  fail "a line of the layout file does not end in CR LF"
fi
EMPTY_ROW=".............."
{
  printf '[INFO]\r\n'
  printf 'TILESET=Pr\xfcfbrett\r\n'
  printf 'LAYERS=1\r\n3D=1\r\nORIGINAL=0\r\n'
  printf '[TILES]\r\nNUMBERS=0\r\n'
  printf '[LAYER1]\r\n1=x.............\r\n2=%s\r\n3=...x..........\r\n' "$EMPTY_ROW"
  for row in 4 5 6 7; do printf '%s=%s\r\n' "$row" "$EMPTY_ROW"; done
  for layer in 2 3 4; do
    printf '[LAYER%s]\r\n' "$layer"
    for row in 1 2 3 4 5 6 7; do printf '%s=%s\r\n' "$row" "$EMPTY_ROW"; done
  done
} >"$WORK/expected.set"
LC_ALL=C grep -v $'^\r$' "$LAYOUT_FILE" >"$WORK/written.set" || true
if ! cmp -s "$WORK/expected.set" "$WORK/written.set"; then
  echo "--- expected"; od -c "$WORK/expected.set" | head -n 40
  echo "--- written (blank lines removed)"; od -c "$WORK/written.set" | head -n 40
  fail "the layout file differs from the expected bytes"
fi

# --- the dialog's keys: the proposal is replaced, Enter and Escape keep it open, Alt+O confirms --
open_save_dialog() {
  xdotool windowactivate --sync "$EDITOR_WINDOW" >/dev/null 2>&1 || true
  click "$EDITOR_WINDOW" $((33 + 35)) $((32 + 184 + 27))
  wait_for 10 window_exists "$SAVE_TITLE" || fail "the save dialog did not appear again"
  DIALOG_WINDOW=$(find_window "$SAVE_TITLE")
  xdotool windowactivate --sync "$DIALOG_WINDOW" >/dev/null 2>&1 || true
  sleep 0.3
}
open_save_dialog
xdotool type --delay 50 "zweites"
xdotool key Return
xdotool key Escape
sleep 0.5
window_exists "$SAVE_TITLE" || fail "Enter or Escape ended the dialog"
xdotool key alt+o
wait_for 10 test -s "$RUN_DIR/layouts/zweites.set" ||
  fail "Alt+O did not save as zweites.set (was the proposal replaced?)"
wait_for 5 bash -c "! xdotool search --onlyvisible --name '^Layout speichern' | grep -q ." ||
  fail "the save dialog is still open after Alt+O"
LC_ALL=C grep -v $'^\r$' "$RUN_DIR/layouts/zweites.set" | cmp -s - "$WORK/expected.set" ||
  fail "the second save wrote different bytes"

# Closing the dialog from its title bar cancels: nothing more is written.
open_save_dialog
xdotool type --delay 50 "verworfen"
xdotool key --clearmodifiers alt+F4
wait_for 5 bash -c "! xdotool search --onlyvisible --name '^Layout speichern' | grep -q ." ||
  fail "closing the dialog from the title bar did not end it"
sleep 0.5
[[ ! -e $RUN_DIR/layouts/verworfen.set ]] || fail "a cancelled save wrote a file"
[[ $(find "$RUN_DIR/layouts" -type f | wc -l) -eq 2 ]] || fail "unexpected files in layouts"
running "$EDITOR_PID" || fail "the editor ended with the dialog"

# --- closing the window ends the program -----------------------------------------------------
xdotool windowactivate --sync "$EDITOR_WINDOW" >/dev/null 2>&1 || true
xdotool key --clearmodifiers alt+F4
wait_for 10 bash -c "! running $EDITOR_PID" || fail "the editor did not end when its window was closed"
status=0
wait "$EDITOR_PID" || status=$?
EDITOR_PID=""
((status == 0)) || fail "the editor ended with status $status"

echo "PASS: saved $LAYOUT_FILE_NAME.set with two tiles and the name $LAYOUT_NAME; dialog keys work"
