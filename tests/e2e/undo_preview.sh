#!/usr/bin/env bash
# End-to-end test of undo, the preview window and the layer tools: the installed editor under Xvfb
# with openbox, driven by xdotool. Cells toggled on two layers are undone (the view follows to the
# layer of the cell) and redone; F5 shows "Tilvaro - Vorschau", transient for the editor and wholly
# on the screen, whose picture equals `tilvaro-layout render` of the saved layout pixel for pixel;
# Ctrl+Z after an Open and after an Open that found nothing brings the layout back; the grid's
# context menu runs the five layer tools and marks the layer below; every result is saved and
# checked in the file. It runs in two parts, each with an editor of its own, so that they can run
# beside each other: "undo" (cells on two layers, Ctrl+Z after Open and after a failed Open) and
# "tools" (the preview, the layer tools).
#
# Usage: undo_preview.sh <build dir> <artifacts dir> undo|tools
# Exit codes: 0 passed, 1 failed, 77 skipped (no Xvfb or ImageMagick on this machine).
set -euo pipefail

usage="usage: undo_preview.sh <build dir> <artifacts dir> undo|tools"
BUILD_DIR=${1:?$usage}
ARTIFACTS=${2:?$usage}
PART=${3:?$usage}
[[ $PART == undo || $PART == tools ]] || { echo "$usage" >&2; exit 2; }
SOURCE_DIR=$(cd "$(dirname "$0")/../.." && pwd)

# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh"
e2e_init
for tool in import convert compare identify; do
  command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done
E2E_LOGS+=("$WORK/editor.log")
install_build "$BUILD_DIR"
start_x_session
RUN_DIR=$WORK/run
mkdir -p "$RUN_DIR/layouts"
cp "$SOURCE_DIR/examples/layouts/Pyramide.set" "$RUN_DIR/layouts/"
start_editor "$RUN_DIR"
W=$EDITOR_WINDOW

cell() { click "$W" "$(cell_x "$1")" "$(cell_y "$2")"; }
key() { xdotool key --clearmodifiers "$@"; sleep 0.3; }
layer_up() { click "$W" 334 315; }  # the spinner's upper arrow, client (328, 312), 13 x 19

# cells_are <name> <c,r:colour>...: the grid cells' centres have these colours, "tile" for the
# tile mark, "faint" for the mark of the layer below, "empty" for neither.
cells_are() {
  local shot=$ARTIFACTS/$1.png ox oy expectation c r want got
  sleep 0.3
  screenshot "$1"
  read -r ox oy < <(window_origin "$W")
  shift
  for expectation in "$@"; do
    IFS=',:' read -r c r want <<<"$expectation"
    got=$(pixel "$shot" $((ox + $(cell_x "$c"))) $((oy + $(cell_y "$r"))))
    case $want in
      tile) [[ $got == "srgb(128,128,128)" ]] ;;
      faint) [[ $got == "srgb(218,218,218)" ]] ;;
      empty) [[ $got != "srgb(128,128,128)" && $got != "srgb(218,218,218)" ]] ;;
    esac || fail "$1: cell $c,$r is $got, expected $want"
  done
}

# answer <dialog title> <text>: replaces the name dialog's text, confirms, and is back in the editor.
answer() {
  answer_name_dialog "$1" "$2"
  activate "$W"
  sleep 0.3
}
save_as() {  # save_as <name>: saves and waits for the file
  rm -f "$RUN_DIR/layouts/$1.set"
  menu_button 184
  answer "Layout speichern ..." "$1"
  wait_for 10 test -s "$RUN_DIR/layouts/$1.set" || fail "no file $1.set"
}
# rows_are <name> <layer> <row strings 1..7>: the saved layer's rows.
rows_are() {
  local file=$RUN_DIR/layouts/$1.set layer=$2 expected actual
  shift 2
  expected=$(printf '%s\n' "$@")
  actual=$(tr -d '\r' <"$file" | sed -n "/^\[LAYER$layer\]/,/^\[/p" | grep '^[1-7]=' | cut -d= -f2)
  [[ $actual == "$expected" ]] || fail "$file, layer $layer: rows $(echo $actual), expected $(echo $expected)"
}
E=..............

if [[ $PART == undo ]]; then

# --- cells on two layers, undone and redone ------------------------------------------------------
cell 0 0
cell 1 0
layer_up
cell 2 1
key ctrl+z
cells_are layer2-undone 2,1:empty 0,0:empty
key ctrl+z  # the cell on layer 1: layer 1 is shown again
cells_are layer1-undone 0,0:tile 1,0:empty
key ctrl+y
cells_are layer1-redone 0,0:tile 1,0:tile
key ctrl+shift+z  # the cell on layer 2: layer 2 is shown again
cells_are layer2-redone 2,1:tile 0,0:empty
cell 3 3
save_as zwei
rows_are zwei 1 xx............ $E $E $E $E $E $E
rows_are zwei 2 $E ..x........... $E ...x.......... $E $E $E


# --- Ctrl+Z after an Open and after an Open that found nothing -----------------------------------
menu_button 128
answer "Layout öffnen ..." Pyramide
cells_are opened 3,1:tile 0,0:empty 3,3:tile
key ctrl+z
save_as nach-oeffnen
cmp -s "$RUN_DIR/layouts/zwei.set" "$RUN_DIR/layouts/nach-oeffnen.set" || fail "undoing Open did not bring the layout back"
menu_button 128
answer "Layout öffnen ..." fehlt
wait_for 10 window_exists "Fehler ..." || fail "no box for a missing layout"
activate "$(find_window "Fehler ...")"
key Return
activate "$W"
key ctrl+z
save_as nach-fehlschlag
cmp -s "$RUN_DIR/layouts/zwei.set" "$RUN_DIR/layouts/nach-fehlschlag.set" ||
  fail "undoing an Open that found nothing did not bring the layout back"


else

# The layout the preview shows: cells on layer 1 and, above the layer count, on layer 2.
cell 0 0
cell 1 0
layer_up
cell 2 1
cell 3 3

# --- the preview --------------------------------------------------------------------------------
key F5
wait_for 10 window_exists "Tilvaro - Vorschau" || fail "F5 showed no preview"
PREVIEW=$(find_window "Tilvaro - Vorschau")
transient=$(xprop -id "$PREVIEW" WM_TRANSIENT_FOR | sed -n 's/.*# //p')
[[ -n $transient ]] && ((transient == W)) || fail "the preview is transient for '${transient:-nothing}', not the editor"
read -r px py < <(window_origin "$PREVIEW")
read -r pw ph < <(xwininfo -id "$PREVIEW" | awk '/Width:/ {w=$NF} /Height:/ {h=$NF} END {print w, h}')
IFS=', ' read -r fl fr ft fb < <(xprop -id "$PREVIEW" _NET_FRAME_EXTENTS | sed 's/.*= //')
((px - fl >= 0 && py - ft >= 0 && px + pw + fr <= 1024 && py + ph + fb <= 768)) ||
  fail "the preview is not wholly on the screen: client $pw x $ph at $px, $py, frame $fl $fr $ft $fb"
# While it is shown: the inscription on, the next colour scheme (the scroll bar's right arrow);
# layer 2 lies above the layer count, faded.
click "$W" 150 152
click "$W" 476 206
save_as vorschau
grep -q $'^3D=2\r$' "$RUN_DIR/layouts/vorschau.set" || fail "the colour scheme did not change"
"$PREFIX/bin/tilvaro-layout" render "$RUN_DIR/layouts/vorschau.set" -o "$WORK/render.png" || fail "render failed"
sleep 0.5
import -display "$DISPLAY" -window "$PREVIEW" "$WORK/preview.png"
cp "$WORK/preview.png" "$ARTIFACTS/preview.png" 2>/dev/null || { mkdir -p "$ARTIFACTS"; cp "$WORK/preview.png" "$ARTIFACTS/"; }
read -r rw rh < <(identify -format '%w %h\n' "$WORK/render.png")
# The picture's transparent background shows the window's; the count line lies below it. Where a
# faded layer is laid on, Qt and ImageMagick may round the blend one level apart: a pixel may
# differ by one level (0.5 % is just over one), and no more.
background=$(pixel "$WORK/preview.png" $((rw - 1)) $((rh + 2)))
convert "$WORK/render.png" -background "$background" -flatten "$WORK/expected.png"
convert "$WORK/preview.png" -crop "${rw}x${rh}+0+0" +repage "$WORK/shown.png"
differing=$(compare -metric AE -fuzz 0.5% "$WORK/expected.png" "$WORK/shown.png" null: 2>&1 || true)
[[ $differing == 0 ]] || { cp "$WORK/expected.png" "$ARTIFACTS/"; fail "the preview differs from the render in $differing pixels"; }
# Closing it from its title bar is the same as F5, which shows it again.
close_window "$PREVIEW" || fail "the preview did not close"
activate "$W"
key F5
wait_for 5 window_exists "Tilvaro - Vorschau" || fail "F5 did not show the preview again"


# --- the layer tools from the grid's context menu ------------------------------------------------
# menu <downs>: opens the menu on the grid and picks the entry that many Down keys reach; the keys
# pass over disabled entries (order: Rückgängig, Wiederherstellen, Vorschau, the five tools,
# Untere Ebene anzeigen).
menu() {
  xdotool mousemove --window "$W" "$(cell_x 6)" "$(cell_y 3)" sleep 0.1 click 3
  sleep 0.5
  local i
  for ((i = 0; i < $1; i++)); do xdotool key Down; done
  key Return
}
menu_button 72  # New
cell 0 0
cell 1 0
cell 2 0
cell 0 1
menu 6  # undo, preview, mirror, mirror, clear, copy up
cells_are copied-up 0,0:tile 0,1:tile 13,0:empty
menu 3  # on layer 2: mirror left-right
menu 8  # copy down is enabled now: the last entry, the marks of the layer below
cells_are mirrored 13,0:tile 11,0:tile 13,1:tile 0,0:faint 2,0:faint 0,1:faint 3,0:empty
menu 4  # mirror top-bottom
save_as werkzeuge
rows_are werkzeuge 1 xxx........... x............. $E $E $E $E $E
rows_are werkzeuge 2 $E $E $E $E $E .............x ...........xxx
menu 7  # copy down; layer 1 is shown
cells_are copied-down 13,6:tile 0,0:empty
menu 5  # on layer 1, equal to layer 2: undo, preview, mirror, mirror, clear
save_as geleert
rows_are geleert 1 $E $E $E $E $E $E $E
rows_are geleert 2 $E $E $E $E $E .............x ...........xxx
key ctrl+z  # a tool is one step
save_as zurueck
rows_are zurueck 1 $E $E $E $E $E .............x ...........xxx
fi

screenshot "undo-preview-end-$PART"
running "$EDITOR_PID" || fail "the editor ended"
case $PART in
  undo) echo "PASS: undo and redo on two layers, after Open and after a failed Open" ;;
  tools) echo "PASS: the preview equals the render; the layer tools" ;;
esac
