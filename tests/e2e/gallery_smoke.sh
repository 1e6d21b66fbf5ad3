#!/usr/bin/env bash
# End-to-end smoke test of the controls gallery: starts tilvaro-gallery --events under Xvfb with
# openbox, checks that it reports the place of every control and then "ready", clicks one button
# with the real pointer and finds its OnClick line, and keeps a screenshot.
#
# Usage: gallery_smoke.sh <gallery program> [<artifacts dir>]
set -euo pipefail

CONTROLS=(Btn_Group1 Btn_Group2 Btn_Group3 Btn_AllUp1 Btn_AllUp2 Btn_Repeat Btn_Raised Btn_NoBorder
          Btn_Glyphs5 Btn_Disabled Btn_Dropdown Btn_Combo Btn_Always Btn_Default Btn_Cancel
          Edit_First Edit_Second CBX_Plain)

# shellcheck source=tests/e2e/e2e_lib.sh
source "$(dirname "$0")/e2e_lib.sh"
gallery_session "" "$@"

# Every control once, with a rectangle that lies in the window, before "ready".
read -r WIDTH HEIGHT < <(xdotool getwindowgeometry --shell "$WINDOW" |
  awk -F= '/^WIDTH=/{w=$2} /^HEIGHT=/{h=$2} END{print w, h}')
before_ready=$(sed '/^ready$/q' "$EVENTS")
for name in "${CONTROLS[@]}"; do
  line=$(grep -E "^geometry $name " <<<"$before_ready") || fail "no geometry line for $name"
  [[ $(grep -cE "^geometry $name " <<<"$before_ready") -eq 1 ]] || fail "two geometry lines for $name"
  read -r _ _ x y w h <<<"$line"
  ((w > 0 && h > 0 && x >= 0 && y >= 0 && x + w <= WIDTH && y + h <= HEIGHT)) ||
    fail "$name lies outside the ${WIDTH}x$HEIGHT window: $line"
done

# A real click in the middle of Btn_Group2 raises its OnClick.
click_on Btn_Group2
expect "Btn_Group2 OnClick" "clicking Btn_Group2"
park_pointer
screenshot gallery
running "$GALLERY_PID" || fail "the gallery ended by itself"
echo "PASS"
