#!/usr/bin/env bash
# Shared pieces of the end-to-end scripts: a private Xvfb display with openbox, waiting, finding
# windows by title, clicking at client coordinates, screenshots and failing with the evidence.
#
# A script sources this file, sets ARTIFACTS (where screenshots go) and calls e2e_init, which makes
# $WORK (removed on exit), then start_x_session; start_editor starts the installed editor and sets
# EDITOR_PID and EDITOR_WINDOW (await_editor alone waits for an editor started otherwise),
# start_gallery the controls gallery with its event lines in $EVENTS. It registers pids in E2E_PIDS
# to be stopped on exit.
# Exit codes of a script: 0 passed, 1 failed, 77 skipped (no Xvfb on this machine).

E2E_PIDS=()

stop() {  # stop <pid>: ask politely, then insist
  local pid=$1
  [[ -n $pid ]] || return 0
  kill -0 "$pid" 2>/dev/null || return 0
  kill "$pid" 2>/dev/null || true
  for _ in $(seq 20); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.1; done
  kill -9 "$pid" 2>/dev/null || true
}

e2e_cleanup() {
  local i
  for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do stop "${E2E_PIDS[i]}"; done
  [[ -n ${WORK:-} ]] && rm -rf "$WORK"
}

e2e_init() {  # e2e_init: skips without Xvfb, checks the tools, makes $WORK
  if ! command -v Xvfb >/dev/null 2>&1; then
    echo "SKIP: Xvfb is not installed"
    exit 77
  fi
  for tool in openbox xdotool xprop xwininfo xmodmap; do
    command -v "$tool" >/dev/null 2>&1 || { echo "FAIL: $tool is not installed"; exit 1; }
  done
  WORK=$(mktemp -d "${TMPDIR:-/tmp}/tilvaro-e2e.XXXXXX")
  trap e2e_cleanup EXIT
}

screenshot() {  # screenshot <name>: the whole screen, kept for inspection in $ARTIFACTS
  mkdir -p "$ARTIFACTS"
  if command -v import >/dev/null 2>&1; then
    import -display "$DISPLAY" -window root "$ARTIFACTS/$1.png" 2>/dev/null || true
  fi
}

E2E_LOGS=()  # files whose contents a failure prints

fail() {
  echo "FAIL: $*"
  [[ -n ${DISPLAY:-} ]] && screenshot failure
  local log
  for log in "${E2E_LOGS[@]}"; do
    [[ -f $log ]] && { echo "--- $log"; cat "$log"; }
  done
  exit 1
}

wait_for() {  # wait_for <seconds> <command...>: retries the command until it succeeds
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  until "$@" >/dev/null 2>&1; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}

find_window() {  # find_window <exact title>: prints the id of a visible window with that title
  local title=$1
  xdotool search --onlyvisible --name "^$(printf '%s' "$title" | sed 's/[].[*^$\\]/\\&/g')\$" 2>/dev/null |
    head -n 1
}

window_exists() { [[ -n $(find_window "$1") ]]; }
window_gone() { ! window_exists "$1"; }  # for wait_for: no visible window has that exact title

running() {  # running <pid>: the process exists and has not ended (an ended child is a zombie)
  [[ -r /proc/$1/stat ]] && ! grep -q '^[0-9]* (.*) Z' "/proc/$1/stat"
}
export -f running

click() {  # click <window> <x> <y>: left click at client coordinates of the window
  xdotool mousemove --window "$1" "$2" "$3" sleep 0.1 click 1
  sleep 0.2
}

activate() { xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true; }

close_window() {  # close_window <window>: closes it as a user does, with Alt+F4 (the window
  # manager's close). Under load the key can reach the window manager before the window is the
  # active one, and then closes nothing: it is pressed again while the window is still shown.
  for _ in 1 2 3; do
    activate "$1"
    xdotool key --clearmodifiers alt+F4
    wait_for 3 bash -c "! xwininfo -id $1 2>/dev/null | grep -q IsViewable" && return 0
  done
  return 1
}

start_editor() {  # start_editor <folder>: the installed editor, started there; waits for its window
  (cd "$1" && QT_QPA_PLATFORM=xcb exec "$PREFIX/bin/tilvaro-editor") >"$WORK/editor.log" 2>&1 &
  EDITOR_PID=$!
  E2E_PIDS+=("$EDITOR_PID")
  await_editor "its start in $1"
}

await_editor() {  # await_editor <what started it>: waits for the editor's window, sets
  # EDITOR_WINDOW and activates it
  wait_for 20 window_exists "Tilvaro - Layout Editor" || fail "the editor window did not appear after $1"
  EDITOR_WINDOW=$(find_window "Tilvaro - Layout Editor")
  activate "$EDITOR_WINDOW"
  sleep 0.5
}

# The editor's window, client coordinates. Grid cells are 12 pixels with one-pixel lines, the
# grid's top-left at (144, 240); cell_x <column> and cell_y <row> print a cell's centre.
cell_x() { echo $((144 + $1 * 13 + 6)); }
cell_y() { echo $((240 + $1 * 13 + 6)); }
# menu_button <y>: clicks the middle of the menu button at (33, y) in the left panel, which starts
# at (0, 32); a button is 70 x 55. Neu 72, Öffnen 128, Speichern 184.
menu_button() { click "$EDITOR_WINDOW" $((33 + 35)) $((32 + $1 + 27)); }

answer_name_dialog() {  # answer_name_dialog <title> [<text>]: waits for the name dialog, replaces
  # its text when one is given (else keeps its proposal), confirms with Alt+O and waits for it to go
  wait_for 10 window_exists "$1" || fail "the dialog '$1' did not appear"
  activate "$(find_window "$1")"
  sleep 0.3
  if (($# > 1)); then
    xdotool key ctrl+a
    xdotool type --delay 30 "$2"
  fi
  xdotool key alt+o
  wait_for 5 window_gone "$1" || fail "'$1' stayed open"
}

install_build() {  # install_build <build dir>: installs into $WORK/prefix and sets PREFIX
  PREFIX=$WORK/prefix
  cmake --install "$1" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 ||
    { cat "$WORK/install.log"; fail "cmake --install failed"; }
}

start_x_session() {  # start_x_session: a 1024 x 768 Xvfb display with openbox; sets DISPLAY
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" 2>"$WORK/xvfb.log" &
  E2E_PIDS+=($!)
  wait_for 10 test -s "$WORK/display" || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
  export DISPLAY=":$(head -n 1 "$WORK/display")"
  E2E_LOGS+=("$WORK/openbox.log")
  openbox >"$WORK/openbox.log" 2>&1 &
  E2E_PIDS+=($!)
  wait_for 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
    fail "openbox did not start"
  # The German letters get keys of their own. Otherwise xdotool maps a spare key for each of them
  # while it types, and under load the program may read the key after the map is undone, so the
  # letter is lost. The four keys given up are media keys no test presses.
  xmodmap -e "keycode 252 = adiaeresis Adiaeresis" -e "keycode 253 = odiaeresis Odiaeresis" \
          -e "keycode 254 = udiaeresis Udiaeresis" -e "keycode 255 = ssharp question" ||
    fail "xmodmap could not map the German letters"
}

start_gallery() {  # start_gallery <program>: tilvaro-gallery --events, its lines in $EVENTS; sets
  # GALLERY_PID and GALLERY_WINDOW once it has reported its controls' places and shown its window
  EVENTS=$WORK/events.log
  E2E_LOGS+=("$EVENTS" "$WORK/gallery.err")
  QT_QPA_PLATFORM=xcb "$1" --events >"$EVENTS" 2>"$WORK/gallery.err" &
  GALLERY_PID=$!
  E2E_PIDS+=("$GALLERY_PID")
  wait_for 20 grep -qx ready "$EVENTS" || fail "the gallery did not report ready"
  wait_for 10 window_exists "Tilvaro - Steuerelemente" || fail "the gallery window did not appear"
  GALLERY_WINDOW=$(find_window "Tilvaro - Steuerelemente")
}

gallery_session() {  # gallery_session <tool or ""> <gallery program> [<artifacts dir>]: the start of
  # a gallery script: sets GALLERY and ARTIFACTS, skips without the tool, starts X and the gallery
  # and activates its window, WINDOW
  GALLERY=${2:?usage: $(basename "$0") <gallery program> [<artifacts dir>]}
  ARTIFACTS=${3:-$(dirname "$GALLERY")/e2e-artifacts}
  e2e_init
  [[ -z $1 ]] || command -v "$1" >/dev/null 2>&1 || { echo "SKIP: $1 is not installed"; exit 77; }
  start_x_session
  start_gallery "$GALLERY"
  WINDOW=$GALLERY_WINDOW
  activate "$WINDOW"
}

# Gallery event lines since a mark (the start of the log until mark is called).
MARK=0
mark() { MARK=$(wc -l <"$EVENTS"); }
since_mark() { tail -n "+$((MARK + 1))" "$EVENTS"; }
count() { since_mark | grep -cE "^[0-9]+ $1\$" || true; }  # count "<control> <event>"
seen() { [[ $(count "$1") -ge 1 ]]; }
expect() { wait_for 5 seen "$1" || fail "no line '$1' ($2)"; }  # expect "<control> <event>" <why>
counted() { [[ $(count "$1") -eq $2 ]]; }  # counted "<control> <event>" <n>

point_at() {  # point_at <control> [<x within it>]: the pointer over a gallery control, by default
  # its middle
  local x y w h
  read -r x y w h < <(geometry_of "$1")
  xdotool mousemove --window "$WINDOW" $((x + ${2:-$((w / 2))})) $((y + h / 2))
  sleep 0.1
}
click_on() { point_at "$@"; xdotool click 1; sleep 0.2; }
# Away from every control, so that no button is hot while its face is looked at.
park_pointer() { xdotool mousemove --window "$WINDOW" 5 5; sleep 0.3; }

geometry_of() {  # geometry_of <control>: prints "X Y W H" of a gallery control, client coordinates
  local line
  line=$(grep -m 1 "^geometry $1 " "$EVENTS") || fail "no geometry line for $1"
  cut -d ' ' -f 3- <<<"$line"
}

window_origin() {  # window_origin <window>: prints the screen position "X Y" of its client area
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF} END{print x, y}'
}

pixel() {  # pixel <png> <x> <y>: prints the colour of one pixel of a screenshot, e.g. srgb(1,2,3)
  convert "$1" -format "%[pixel:p{$2,$3}]" info:
}
