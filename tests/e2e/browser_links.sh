#!/usr/bin/env bash
# End-to-end test of the editor's two links: installs the built tree into a temporary prefix and
# starts the installed tilvaro-editor under Xvfb with openbox, with its XDG folders in a temporary
# folder whose shared MIME database is the system's (shared-mime-info). First no browser is
# registered: clicking the logo and the copyright line does nothing and the editor goes on. Then,
# while it runs, a stand-in browser is registered for text/html (its program in a folder whose name
# holds a blank, so its Exec line is quoted); it writes the arguments it is started with to a file.
# Clicking the logo must start it with the web address, clicking the copyright line with the
# mailto link, each as one argument after the entry's own option.
#
# Usage: browser_links.sh <build dir> [<artifacts dir>]
# Exit codes: 0 passed, 1 failed, 77 skipped (no Xvfb on this machine).
set -euo pipefail

BUILD_DIR=${1:?usage: browser_links.sh <build dir> [<artifacts dir>]}
ARTIFACTS=${2:-$BUILD_DIR/e2e-artifacts}
WEB_ADDRESS="www.tilvaro.example"
MAIL_LINK="mailto:layouts@tilvaro.example?subject=Tilvaro%20-%20Layout%20Editor"

# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh"
e2e_init
E2E_LOGS+=("$WORK/editor.log")

[[ -f /usr/share/mime/globs2 ]] || fail "the shared MIME database (shared-mime-info) is not installed"

install_build "$BUILD_DIR"
start_x_session

# --- temporary XDG folders: nothing registered, the system's MIME database ----------------------
XDG=$WORK/xdg
mkdir -p "$XDG/config" "$XDG/sysconfig" "$XDG/data/applications" "$XDG/sys"
ln -s /usr/share/mime "$XDG/sys/mime"
export XDG_CONFIG_HOME=$XDG/config XDG_CONFIG_DIRS=$XDG/sysconfig XDG_DATA_HOME=$XDG/data \
       XDG_DATA_DIRS=$XDG/sys
unset XDG_CURRENT_DESKTOP

CALLS=$WORK/calls
mkdir -p "$CALLS"
BROWSER="$WORK/stand in/browser"
mkdir -p "$(dirname "$BROWSER")"
cat >"$BROWSER" <<SCRIPT
#!/bin/sh
# Stand-in browser: each start leaves one file with its arguments, each ended by a zero byte.
out="$CALLS/call-\$\$"
printf '%s\0' "\$@" >"\$out.tmp" && mv "\$out.tmp" "\$out"
SCRIPT
chmod +x "$BROWSER"

RUN_DIR=$WORK/run
mkdir -p "$RUN_DIR/layouts"
start_editor "$RUN_DIR"

# The logo: client (399, 0), 105 x 32; the copyright line: client (2, 2), 134 x 13.
click_logo() { click "$EDITOR_WINDOW" 440 16; }
click_copyright() { click "$EDITOR_WINDOW" 40 8; }
calls() { find "$CALLS" -name 'call-*' ! -name '*.tmp' | wc -l; }
no_box_shown() {
  if window_exists "Fehler ..." || window_exists "Tilvaro - Editor"; then fail "a message box was shown"; fi
}

# --- no browser registered: nothing happens, the editor goes on --------------------------------
click_logo
click_copyright
sleep 1
(($(calls) == 0)) || fail "something was started without a registered browser"
no_box_shown
running "$EDITOR_PID" || fail "the editor ended after a click without a browser"
screenshot links-without-browser

# --- a browser registered while the editor runs is used at the next click ----------------------
cat >"$XDG/data/applications/stand-in-browser.desktop" <<ENTRY
[Desktop Entry]
Type=Application
Name=Stand-in browser
Exec="$BROWSER" --new-window %u
MimeType=text/html;
ENTRY
printf '[Default Applications]\ntext/html=stand-in-browser.desktop\n' >"$XDG/config/mimeapps.list"

expect_call() {  # expect_call <what> <arguments...>: exactly one new start, with these arguments
  local what=$1
  shift
  wait_for 10 sh -c "[ \$(find '$CALLS' -name 'call-*' ! -name '*.tmp' | wc -l) -ge 1 ]" ||
    fail "$what: the browser was not started"
  sleep 0.5
  (($(calls) == 1)) || fail "$what: the browser was started $(calls) times"
  local call
  call=$(find "$CALLS" -name 'call-*' ! -name '*.tmp')
  printf '%s\0' "$@" >"$WORK/expected"
  if ! cmp -s "$WORK/expected" "$call"; then
    echo "--- expected"; od -c "$WORK/expected"
    echo "--- received"; od -c "$call"
    fail "$what: the browser received other arguments"
  fi
  mv "$call" "$WORK/done-$what"
}

click_logo
expect_call logo --new-window "$WEB_ADDRESS"
click_copyright
expect_call copyright --new-window "$MAIL_LINK"
no_box_shown
screenshot links-with-browser

# --- closing the window ends the program -------------------------------------------------------
close_window "$EDITOR_WINDOW" || fail "the editor's window did not close"
wait_for 10 bash -c "! running $EDITOR_PID" || fail "the editor did not end when its window was closed"
status=0
wait "$EDITOR_PID" || status=$?
((status == 0)) || fail "the editor ended with status $status"

echo "PASS: without a browser the links do nothing; with one registered while running, the logo" \
     "opens $WEB_ADDRESS and the copyright line $MAIL_LINK, each as one argument"
