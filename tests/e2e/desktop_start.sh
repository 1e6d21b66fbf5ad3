#!/usr/bin/env bash
# End-to-end test of the desktop around the editor, on an installed tree with HOME in a temporary
# folder: the menu start (the installed desktop entry, launched as a menu does) makes and seeds the
# user's layout home and saves there; Ctrl+O, Ctrl+S and Ctrl+N run Open, Save and New, also while
# a field has the focus; `gio open` on a layout in a "layouts" folder (found by the installed file
# type and entry) saves it back in place, and on a download opens a copy in the user's layouts
# folder under a free name, leaving the download alone; a file that cannot be read opens the editor
# with Open's message.
#
# Usage: desktop_start.sh <build dir> [<artifacts dir>]
# Exit codes: 0 passed, 1 failed, 77 skipped (no Xvfb on this machine).
set -euo pipefail

BUILD_DIR=${1:?usage: desktop_start.sh <build dir> [<artifacts dir>]}
ARTIFACTS=${2:-$BUILD_DIR/e2e-artifacts}

# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh"
e2e_init
E2E_LOGS+=("$WORK/gio.log")
for tool in gio update-mime-database update-desktop-database; do
  command -v "$tool" >/dev/null 2>&1 || fail "$tool is not installed"
done

install_build "$BUILD_DIR"
# The caches a package's install scripts would refresh: file types, and which entry opens which type.
{ update-mime-database "$PREFIX/share/mime" && update-desktop-database "$PREFIX/share/applications"; } \
  >"$WORK/caches.log" 2>&1 || fail "refreshing the caches failed: $(cat "$WORK/caches.log")"
export HOME=$WORK/home
mkdir -p "$HOME"
unset XDG_DATA_HOME XDG_CONFIG_HOME
export XDG_CONFIG_DIRS=$WORK/no-system-config XDG_DATA_DIRS=$PREFIX/share:/usr/share
export PATH=$PREFIX/bin:$PATH QT_QPA_PLATFORM=xcb
LAYOUTS=$HOME/.local/share/tilvaro/layouts
start_x_session

# editor_started <how>: waits for the editor's window, sets EDITOR_WINDOW and EDITOR_PID (gio starts
# the program on its own, so its id comes from the window).
editor_started() {
  await_editor "$1"
  EDITOR_PID=$(xdotool getwindowpid "$EDITOR_WINDOW")
  E2E_PIDS+=("$EDITOR_PID")
}
editor_closed() {
  close_window "$EDITOR_WINDOW" || fail "the editor's window did not close"
  wait_for 10 bash -c "! running $EDITOR_PID" || fail "the editor did not end"
}
# ask <keys> <title> [<text>]: the keys open the name dialog; <text> replaces its proposal (kept when
# not given); Alt+O confirms.
ask() {
  activate "$EDITOR_WINDOW"
  xdotool key --clearmodifiers "$1"
  answer_name_dialog "${@:2}"
}
inode() { stat -c %i "$1"; }
rewritten() {  # rewritten <file> <inode>: the file is there under another inode, written anew
  local now
  now=$(inode "$1") && [[ $now != "$2" ]]
}

# --- the menu start: the layout home, made and seeded; the keys -------------------------------
(cd "$HOME" && gio launch "$PREFIX/share/applications/tilvaro-editor.desktop") >"$WORK/gio.log" 2>&1 ||
  fail "gio launch failed"
editor_started "the menu start"
for sample in Bruecke Pyramide Turm; do
  cmp -s "$LAYOUTS/$sample.set" "$PREFIX/share/tilvaro/layouts/$sample.set" || fail "sample $sample.set not seeded"
done
ask ctrl+o "Layout öffnen ..." Turm
click "$EDITOR_WINDOW" 300 49  # the focus in the name field
ask ctrl+s "Layout speichern ..." Kopie
wait_for 5 test -s "$LAYOUTS/Kopie.set" || fail "Ctrl+S saved nothing into the layout home"
cmp -s "$LAYOUTS/Kopie.set" "$LAYOUTS/Turm.set" || fail "Ctrl+O did not open Turm (its save differs)"
activate "$EDITOR_WINDOW"
xdotool key --clearmodifiers ctrl+n
ask ctrl+s "Layout speichern ..." Leer
wait_for 5 test -s "$LAYOUTS/Leer.set" || fail "the save after Ctrl+N wrote nothing"
! grep -q -e '^TILESET=.' -e '^[1-7]=.*x' "$LAYOUTS/Leer.set" || fail "Ctrl+N did not empty the layout"
editor_closed

# --- gio open on a layout in a layouts folder: opened and saved back in place ----------------
mkdir -p "$WORK/Projekt/layouts"
cp "$PREFIX/share/tilvaro/layouts/Pyramide.set" "$WORK/Projekt/layouts/Eigen.set"
before=$(inode "$WORK/Projekt/layouts/Eigen.set")
gio open "$WORK/Projekt/layouts/Eigen.set" >>"$WORK/gio.log" 2>&1 || fail "gio open failed on a layout"
editor_started "gio open in a layouts folder"
screenshot opened-in-place
ask ctrl+s "Layout speichern ..."  # the proposed name
wait_for 5 rewritten "$WORK/Projekt/layouts/Eigen.set" "$before" ||
  fail "Save with the proposed name did not write the file back in place"
[[ ! -e $LAYOUTS/Eigen.set ]] || fail "a layout in a layouts folder was copied into the layout home"
editor_closed

# --- gio open on a download: a copy under a free name; the download is never written ----------
mkdir -p "$WORK/Downloads"
sed 's/^TILESET=Turm/TILESET=Mein Turm/' "$LAYOUTS/Turm.set" >"$WORK/Downloads/Turm.set"
chmod a-w "$WORK/Downloads/Turm.set"
download=$(stat -c '%i %Y' "$WORK/Downloads/Turm.set")
gio open "$WORK/Downloads/Turm.set" >>"$WORK/gio.log" 2>&1 || fail "gio open failed on a download"
editor_started "gio open on a download"
cmp -s "$LAYOUTS/Turm (2).set" "$WORK/Downloads/Turm.set" || fail "the download was not copied in as 'Turm (2)'"
copy=$(inode "$LAYOUTS/Turm (2).set")
ask ctrl+s "Layout speichern ..."
wait_for 5 rewritten "$LAYOUTS/Turm (2).set" "$copy" || fail "Save did not write the copy"
[[ $(stat -c '%i %Y' "$WORK/Downloads/Turm.set") == "$download" ]] || fail "the download was written"
editor_closed

# --- a file that cannot be read: the editor starts and says what Open says --------------------
tilvaro-editor "$WORK/Downloads/Fehlt.set" >"$WORK/editor.log" 2>&1 &
E2E_PIDS+=($!)
wait_for 20 window_exists "Fehler ..." || fail "no message for a missing file"
screenshot missing-file
activate "$(find_window "Fehler ...")"
xdotool key Return
editor_started "a missing file"
editor_closed

echo "PASS: menu start seeds and saves into the layout home; Ctrl+N/O/S; gio open in place and on a download"
