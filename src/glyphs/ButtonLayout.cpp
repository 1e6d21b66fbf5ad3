#include "glyphs/ButtonLayout.h"

#include "platform/Canvas.h"

namespace tilvaro {

ButtonLayoutResult ComputeButtonLayout(Canvas& canvas, const ButtonLayoutInput& in) {
  const int clientWidth = in.client.right - in.client.left;
  const int clientHeight = in.client.bottom - in.client.top;
  const int glyphWidth = in.glyph.cx;
  const int glyphHeight = in.glyph.cy;
  const bool hasGlyph = glyphWidth != 0 && glyphHeight != 0;
  const int arrowWidth = in.dropArrow ? in.dropArrowWidth : 0;
  const int arrowHeight = in.dropArrow ? 3 : 0;

  TButtonLayout layout = in.layout;
  bool horizontal = layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphRight;
  if (!horizontal && !hasGlyph) {
    layout = TButtonLayout::blGlyphLeft;
    horizontal = true;
  }
  int margin = in.margin;
  int spacing = in.spacing;

  // The caption's size, measured in the width that is left for it.
  ButtonLayoutResult out;
  Rect& textBounds = out.TextBounds;
  int textWidth = 0;
  int textHeight = 0;
  if (in.drawCaption && !in.caption.isEmpty()) {
    textBounds = Rect{0, 0, clientWidth, 0};
    if (horizontal) textBounds.right -= arrowWidth;
    unsigned flags = DT_CALCRECT;
    if (in.wordWrap) {
      flags |= DT_WORDBREAK;
      if (horizontal && hasGlyph) {
        textBounds.right -= glyphWidth + (spacing == -1 ? 4 : spacing);
        const int edge = margin != -1 ? margin : spacing != -1 ? spacing : 4;
        textBounds.right -= 2 * edge;
      } else {
        textBounds.right -= 8;
      }
    }
    canvas.DrawText(in.caption, textBounds, flags);
    textWidth = textBounds.right - textBounds.left;
    textHeight = textBounds.bottom - textBounds.top;
  } else {
    textBounds = Rect{};
  }

  Point& glyphPos = out.GlyphPos;
  Point& arrowPos = out.ArrowPos;
  Point textPos;
  // Across the main axis everything is centred.
  if (horizontal) {
    glyphPos.y = (clientHeight - glyphHeight + 1) / 2;
    textPos.y = (clientHeight - textHeight + 1) / 2;
  } else {
    glyphPos.x = (clientWidth - glyphWidth - arrowWidth + 1) / 2;
    textPos.x = (clientWidth - textWidth + 1) / 2;
    arrowPos.x = glyphPos.x + glyphWidth;
  }

  if (textWidth == 0 || textHeight == 0 || !hasGlyph) spacing = 0;

  // Automatic margin and spacing along the main axis; the arrow counts only in a row.
  const int length = horizontal ? clientWidth : clientHeight;
  const int glyphLength = horizontal ? glyphWidth : glyphHeight;
  const int textLength = horizontal ? textWidth : textHeight;
  const int arrowLength = horizontal ? arrowWidth : 0;
  if (margin == -1 && spacing == -1) {
    const int total = glyphLength + textLength + arrowLength;
    margin = (length - total) / 3;
    spacing = margin;
  } else if (margin == -1) {
    const int total = glyphLength + spacing + textLength + arrowLength;
    margin = (length - total + 1) / 2;
  } else if (spacing == -1) {
    const int free = length - (margin + glyphLength + arrowLength);
    spacing = (free - textLength) / 2;
  }

  switch (layout) {
    case TButtonLayout::blGlyphLeft:
      glyphPos.x = margin;
      textPos.x = glyphPos.x + glyphWidth + spacing;
      arrowPos.x = textPos.x + textWidth;
      break;
    case TButtonLayout::blGlyphRight:
      arrowPos.x = clientWidth - margin - arrowWidth;
      glyphPos.x = arrowPos.x - glyphWidth;
      textPos.x = glyphPos.x - spacing - textWidth;
      break;
    case TButtonLayout::blGlyphTop:
      glyphPos.y = margin;
      textPos.y = glyphPos.y + glyphHeight + spacing;
      break;
    case TButtonLayout::blGlyphBottom:
      glyphPos.y = clientHeight - margin - glyphHeight;
      textPos.y = glyphPos.y - spacing - textHeight;
      break;
  }

  arrowPos.x += 1;
  arrowPos.y = hasGlyph ? glyphPos.y + (glyphHeight - arrowHeight) / 2
                        : textPos.y + (textHeight - arrowHeight) / 2;

  const int dx = in.client.left + in.offset.x;
  const int dy = in.client.top + in.offset.y;
  glyphPos = Point{glyphPos.x + dx, glyphPos.y + dy};
  arrowPos = Point{arrowPos.x + dx, arrowPos.y + dy};
  textBounds = textBounds.Offset(textPos.x + dx, textPos.y + dy);
  return out;
}

}  // namespace tilvaro
