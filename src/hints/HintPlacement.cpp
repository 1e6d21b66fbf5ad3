#include "hints/HintPlacement.h"

namespace tilvaro {

Rect PlaceHint(const HintPlacementInput& in) {
  const int width = in.text.cx + in.extra.cx;
  const int height = in.text.cy + in.extra.cy;
  Rect r = Rect::FromSize(in.pointer.x, in.pointer.y + in.cursorBottomOffset, width, height);

  // Past the right edge: moved left until its right edge lies on the screen's. Nothing is done at
  // the left edge, so a hint wider than the screen keeps its right edge in view.
  if (r.right > in.screen.right) r = r.Offset(in.screen.right - r.right, 0);

  if (r.bottom > in.screen.bottom) {
    if (in.abovePointerAtBottom) {
      r.bottom = in.pointer.y - 2;
      r.top = r.bottom - height;
    } else if (in.controlTop) {
      r.bottom = *in.controlTop;
      r.top = r.bottom - height;
    }
  }
  return r;
}

}  // namespace tilvaro
