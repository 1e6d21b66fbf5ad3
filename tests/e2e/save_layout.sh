#!/usr/bin/env bash
# End-to-end test: installs the built tree into a temporary prefix, starts the installed
# tilvaro-editor under Xvfb with the openbox window manager, sets two tiles and the layout name
# with real pointer clicks and key strokes (xdotool), saves the layout through the input dialog and
# checks the written file byte for byte; then checks the dialog's keys (Enter and Escape keep it
# open, Alt+O confirms, closing it from the title bar cancels) and that closing the window ends the
# program. On the way: the editor window and the dialog are centred with their frames, the dialog
# is transient for the editor and offers neither minimise nor maximise, an Open of a name that
# cannot exist reports a missing layout, and a failed save's box shows the whole long path.
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

# centred <window> <client width> <client height>: the window has that client size and, frame
# included, is centred on the screen (1024 x 768) within a pixel or so; prints what it measured.
centred() {
  local x y w h fl fr ft fb dx dy
  read -r x y w h < <(xwininfo -id "$1" |
    awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} /Width:/ {w=$NF}
         /Height:/ {h=$NF} END {print x, y, w, h}')
  IFS=', ' read -r fl fr ft fb < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //')
  dx=$(((x - fl) * 2 + w + fl + fr - 1024))
  dy=$(((y - ft) * 2 + h + ft + fb - 768))
  echo "client ${w} x ${h}, off centre by $dx/2, $dy/2"
  ((w == $2 && h == $3 && dx >= -3 && dx <= 3 && dy >= -3 && dy <= 3))
}
# The editor centres itself again once the window manager has framed it.
wait_for 5 centred "$EDITOR_WINDOW" 504 341 >/dev/null ||
  fail "the editor window is not centred with its frame: $(centred "$EDITOR_WINDOW" 504 341)"

click "$EDITOR_WINDOW" "$(cell_x 0)" "$(cell_y 0)"
click "$EDITOR_WINDOW" "$(cell_x 3)" "$(cell_y 2)"

# The name field: client (192, 40), 289 x 19.
click "$EDITOR_WINDOW" 300 49
xdotool type --delay 50 "$LAYOUT_NAME"
sleep 0.3
screenshot editor-before-save

menu_button 184  # Speichern
wait_for 10 window_exists "$SAVE_TITLE" || fail "the save dialog did not appear"
DIALOG_WINDOW=$(find_window "$SAVE_TITLE")
xdotool windowactivate --sync "$DIALOG_WINDOW" >/dev/null 2>&1 || true
sleep 0.3
# The dialog, frame included, is centred on the screen; it belongs to the editor window (transient
# for it, so the window manager keeps the two together) and has a close button only.
centred "$DIALOG_WINDOW" 353 104 >/dev/null || fail "the dialog is not centred: $(centred "$DIALOG_WINDOW" 353 104)"
transient=$(xprop -id "$DIALOG_WINDOW" WM_TRANSIENT_FOR | sed -n 's/.*# //p')
[[ -n $transient ]] && (($transient == EDITOR_WINDOW)) ||
  fail "the dialog is transient for '${transient:-nothing}', not for the editor window"
actions=$(xprop -id "$DIALOG_WINDOW" _NET_WM_ALLOWED_ACTIONS)
[[ $actions == *_NET_WM_ACTION_CLOSE* ]] || fail "the dialog cannot be closed: $actions"
[[ $actions != *MAXIMIZE* ]] || fail "the dialog can be maximised: $actions"
motif=$(xprop -id "$DIALOG_WINDOW" _MOTIF_WM_HINTS | sed 's/.*= //')
IFS=', ' read -r _ mwm_functions _ < <(echo "$motif")
((!(mwm_functions & 0x18))) || fail "the dialog asks for minimise or maximise: $motif"
# openbox offers minimise on every dialog regardless: minimised, it and the editor come back.
viewable() { xwininfo -id "$1" | grep -q IsViewable; }
xdotool windowminimize "$DIALOG_WINDOW" >/dev/null 2>&1 || true
sleep 0.5
wait_for 5 viewable "$DIALOG_WINDOW" || fail "the minimised dialog did not come back"
viewable "$EDITOR_WINDOW" || fail "the editor stayed hidden after the dialog was minimised"
xdotool windowactivate --sync "$DIALOG_WINDOW" >/dev/null 2>&1 || true
sleep 0.3
# The edit has the focus with its whole text selected: typing replaces the proposal.
xdotool type --delay 50 "$LAYOUT_FILE_NAME"
sleep 0.3
screenshot save-dialog
# OK: client (280, 80), 65 x 22.
click "$DIALOG_WINDOW" $((280 + 32)) $((80 + 11))

LAYOUT_FILE=$RUN_DIR/layouts/$LAYOUT_FILE_NAME.set
wait_for 10 test -s "$LAYOUT_FILE" || fail "no file written at $LAYOUT_FILE"
wait_for 5 window_gone "$SAVE_TITLE" || fail "the save dialog is still open"

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
  menu_button 184  # Speichern
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
wait_for 5 window_gone "$SAVE_TITLE" || fail "the save dialog is still open after Alt+O"
LC_ALL=C grep -v $'^\r$' "$RUN_DIR/layouts/zweites.set" | cmp -s - "$WORK/expected.set" ||
  fail "the second save wrote different bytes"

# Closing the dialog from its title bar cancels: nothing more is written.
open_save_dialog
xdotool type --delay 50 "verworfen"
xdotool key --clearmodifiers alt+F4
wait_for 5 window_gone "$SAVE_TITLE" || fail "closing the dialog from the title bar did not end it"
sleep 0.5
[[ ! -e $RUN_DIR/layouts/verworfen.set ]] || fail "a cancelled save wrote a file"
[[ $(find "$RUN_DIR/layouts" -type f | wc -l) -eq 2 ]] || fail "unexpected files in layouts"
running "$EDITOR_PID" || fail "the editor ended with the dialog"

# --- a name that cannot exist, and a failed save -----------------------------------------------
# answer_dialog <title> <text>: waits for the name dialog, replaces its text and confirms with Alt+O.
answer_dialog() {
  wait_for 10 window_exists "$1" || fail "the dialog '$1' did not appear"
  DIALOG_WINDOW=$(find_window "$1")
  xdotool windowactivate --sync "$DIALOG_WINDOW" >/dev/null 2>&1 || true
  sleep 0.3
  xdotool key ctrl+a
  xdotool type --delay 5 "$2"
  xdotool key alt+o
}
# close_error_box <what>: waits for the box captioned "Fehler ..." or the application title, keeps a
# screenshot, checks that it fits on the screen and closes it with Enter.
close_error_box() {
  local box w
  error_box() { find_window "Fehler ..." || true; find_window "Tilvaro - Editor" || true; }
  any_error_box() { [[ -n $(error_box) ]]; }
  wait_for 10 any_error_box || fail "no error box for $1"
  box=$(error_box | head -n 1)
  sleep 0.3
  screenshot "$1"
  w=$(xwininfo -id "$box" | awk '/Width:/ {print $NF}')
  ((w < 1024)) || fail "the error box for $1 is wider than the screen ($w)"
  xdotool windowactivate --sync "$box" >/dev/null 2>&1 || true
  xdotool key Return
  wait_for 5 bash -c "! xwininfo -id $box 2>/dev/null | grep -q IsViewable" || fail "the box for $1 stayed open"
}
xdotool windowactivate --sync "$EDITOR_WINDOW" >/dev/null 2>&1 || true
menu_button 128  # Öffnen
answer_dialog "Layout öffnen ..." "$(printf 'n%.0s' {1..300})"
close_error_box open-too-long-name
window_exists "Fehler ..." && fail "a second box followed"
# A save into folders that do not exist: the box names the whole path, wrapped.
LONG_FOLDERS="nicht/vorhandene/Ordner/mit/recht/langen/Namen/damit/der/Pfad/nicht/in/eine/Zeile/passt"
xdotool windowactivate --sync "$EDITOR_WINDOW" >/dev/null 2>&1 || true
menu_button 184  # Speichern
answer_dialog "$SAVE_TITLE" "$LONG_FOLDERS/Turm"
close_error_box save-long-path
running "$EDITOR_PID" || fail "the editor ended after the failed save"

# The keyboard focus on the layer-count scroll bar (tab order: the three edits, the check box,
# then the bar), the layer spinner and the empty tile list, for a look at the screenshots.
click "$EDITOR_WINDOW" 300 49
xdotool key Tab Tab Tab Tab
sleep 0.3
screenshot focus-on-scroll-bar
xdotool key Tab Tab Tab
sleep 0.3
screenshot focus-on-spinner
xdotool key Tab
sleep 0.3
screenshot focus-on-tile-list

# --- closing the window ends the program -----------------------------------------------------
close_window "$EDITOR_WINDOW" || fail "the editor's window did not close"
wait_for 10 bash -c "! running $EDITOR_PID" || fail "the editor did not end when its window was closed"
status=0
wait "$EDITOR_PID" || status=$?
EDITOR_PID=""
((status == 0)) || fail "the editor ended with status $status"

echo "PASS: saved $LAYOUT_FILE_NAME.set with two tiles and the name $LAYOUT_NAME; dialog keys work"
