#include "platform/Canvas.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cstdlib>
#include <optional>

#include "platform/RasterImage.h"
#include "platform/SysColors.h"
#include "platform/TextCache.h"
#include "platform/TextLines.h"

namespace tilvaro {
namespace {

QRect ToQRect(const Rect& rect) {
  return QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

// Colours of one edge line: top-left part and bottom-right part.
struct EdgeLine {
  SysColor topLeft;
  SysColor bottomRight;
};

// outerKind is BDR_RAISEDOUTER or BDR_SUNKENOUTER, innerKind BDR_RAISEDINNER or BDR_SUNKENINNER
// (or 0). Only the top-left colours differ between the normal and the soft edges.
std::optional<EdgeLine> OuterLine(unsigned outerKind, bool soft) {
  if (outerKind == BDR_RAISEDOUTER) {
    return EdgeLine{soft ? SysColor::BtnHighlight : SysColor::Light3D, SysColor::DkShadow3D};
  }
  if (outerKind == BDR_SUNKENOUTER) {
    return EdgeLine{soft ? SysColor::DkShadow3D : SysColor::BtnShadow, SysColor::BtnHighlight};
  }
  return std::nullopt;
}

std::optional<EdgeLine> InnerLine(unsigned innerKind, bool soft) {
  if (innerKind == BDR_RAISEDINNER) {
    return EdgeLine{soft ? SysColor::Light3D : SysColor::BtnHighlight, SysColor::BtnShadow};
  }
  if (innerKind == BDR_SUNKENINNER) {
    return EdgeLine{soft ? SysColor::BtnShadow : SysColor::DkShadow3D, SysColor::Light3D};
  }
  return std::nullopt;
}

}  // namespace

Canvas::Canvas(QPainter& painter) : painter_(&painter) {
  painter_->setRenderHint(QPainter::Antialiasing, false);
}

Canvas::Canvas(QImage& image)
    : ownPainter_(std::make_unique<QPainter>(&image)), painter_(ownPainter_.get()) {
  painter_->setRenderHint(QPainter::Antialiasing, false);
}

Canvas::~Canvas() = default;

QFontMetrics Canvas::FontMetrics() const {
  if (!metrics_ || !(metricsFont_ == Font.font)) {
    metricsFont_ = Font.font;
    metrics_.emplace(painter_->device() ? QFontMetrics(Font.font, painter_->device()) : QFontMetrics(Font.font));
  }
  return *metrics_;
}

void Canvas::FillPixels(int left, int top, int width, int height, TColor color) {
  if (width <= 0 || height <= 0) return;
  painter_->fillRect(QRect(left, top, width, height), ToQColor(color));
}

void Canvas::FillRect(const Rect& rect) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  switch (Brush.style) {
    case BrushStyle::Solid:
      FillPixels(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, Brush.color);
      break;
    case BrushStyle::Pattern: {
      // The pattern is anchored at the canvas origin, whatever rectangle is filled.
      const QPoint oldOrigin = painter_->brushOrigin();
      painter_->setBrushOrigin(0, 0);
      painter_->fillRect(ToQRect(rect), QBrush(Brush.pattern));
      painter_->setBrushOrigin(oldOrigin);
      break;
    }
    case BrushStyle::Clear:
      break;
  }
}

void Canvas::FrameRect(const Rect& rect) {
  if (rect.right <= rect.left || rect.bottom <= rect.top || Brush.style == BrushStyle::Clear) {
    return;
  }
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  const Rect sides[] = {
      {rect.left, rect.top, rect.right, rect.top + 1},
      {rect.left, rect.bottom - 1, rect.right, rect.bottom},
      {rect.left, rect.top, rect.left + 1, rect.bottom},
      {rect.right - 1, rect.top, rect.right, rect.bottom},
  };
  for (const Rect& side : sides) {
    if (width > 0 && height > 0) FillRect(side);
  }
}

void Canvas::Line(Point from, Point to, TColor color) {
  if (from.y == to.y) {
    const int left = std::min(from.x, to.x) + (to.x < from.x ? 1 : 0);
    FillPixels(left, from.y, std::abs(to.x - from.x), 1, color);
    return;
  }
  if (from.x == to.x) {
    const int top = std::min(from.y, to.y) + (to.y < from.y ? 1 : 0);
    FillPixels(from.x, top, 1, std::abs(to.y - from.y), color);
    return;
  }
  // Slanted lines: Bresenham from the first point up to, not including, the last.
  const int dx = std::abs(to.x - from.x), sx = from.x < to.x ? 1 : -1;
  const int dy = -std::abs(to.y - from.y), sy = from.y < to.y ? 1 : -1;
  int error = dx + dy;
  int x = from.x, y = from.y;
  while (x != to.x || y != to.y) {
    FillPixels(x, y, 1, 1, color);
    const int twice = 2 * error;
    if (twice >= dy) { error += dy; x += sx; }
    if (twice <= dx) { error += dx; y += sy; }
  }
}

void Canvas::Polyline(std::initializer_list<Point> points) {
  if (!Pen.visible || points.size() < 2) return;
  const Point* previous = points.begin();
  for (const Point* p = previous + 1; p != points.end(); previous = p++) Line(*previous, *p, Pen.color);
}

void Canvas::Polygon(std::initializer_list<Point> points) {
  if (points.size() < 2) return;
  if (Brush.style != BrushStyle::Clear && points.size() >= 3) {
    // Vertices name pixels, so the fill runs through the pixel centres.
    QPainterPath path;
    path.moveTo(points.begin()->x + 0.5, points.begin()->y + 0.5);
    for (const Point* p = points.begin() + 1; p != points.end(); ++p) path.lineTo(p->x + 0.5, p->y + 0.5);
    path.closeSubpath();
    const QBrush brush = Brush.style == BrushStyle::Pattern ? QBrush(Brush.pattern)
                                                             : QBrush(ToQColor(Brush.color));
    painter_->fillPath(path, brush);
  }
  if (Pen.visible) {
    // The closed outline reaches every vertex although each line leaves out its end point.
    const Point* previous = points.begin();
    for (const Point* p = previous + 1; p != points.end(); previous = p++) Line(*previous, *p, Pen.color);
    Line(*previous, *points.begin(), Pen.color);
  }
}

int Canvas::DrawText(const QString& text, Rect& rect, unsigned flags) {
  const QFontMetrics metrics = FontMetrics();
  const int dpi = painter_->device() ? painter_->device()->logicalDpiY() : 0;
  TextCache& cache = TextCache::Instance();
  auto width = [&](const QString& piece) { return cache.Width(metrics, Font.font, dpi, piece); };
  const std::vector<TextLine> lines = BreakText(text, flags, rect.right - rect.left, width);
  const int lineHeight = metrics.height();
  const int textHeight = static_cast<int>(lines.size()) * lineHeight;

  if (flags & DT_CALCRECT) {
    int widest = 0;
    for (const TextLine& line : lines) widest = std::max(widest, width(line.text));
    rect.right = rect.left + widest;
    rect.bottom = rect.top + textHeight;
    return textHeight;
  }
  if (lines.empty()) return 0;

  int y = rect.top;
  if ((flags & DT_SINGLELINE) && (flags & DT_VCENTER)) {
    y = rect.top + (rect.bottom - rect.top - lineHeight) / 2;
  }
  painter_->save();
  if (!(flags & DT_NOCLIP)) painter_->setClipRect(ToQRect(rect), Qt::IntersectClip);
  painter_->setFont(Font.font);
  const QColor textColor = ToQColor(Font.color);
  painter_->setPen(textColor);
  for (const TextLine& line : lines) {
    const int lineWidth = width(line.text);
    int x = rect.left;
    if (flags & DT_CENTER) {
      x = rect.left + (rect.right - rect.left - lineWidth) / 2;
    } else if (flags & DT_RIGHT) {
      x = rect.right - lineWidth;
    }
    if (Brush.style == BrushStyle::Solid) FillPixels(x, y, lineWidth, lineHeight, Brush.color);
    // A prepared line puts its baseline at y + ascent, exactly where the metrics measure it.
    painter_->drawStaticText(QPoint(x, y), cache.Line(Font.font, dpi, line.text));
    for (int index : line.underlined) {
      const int charLeft = x + width(line.text.left(index));
      const int charWidth = width(line.text.mid(index, 1));
      painter_->fillRect(QRect(charLeft, y + metrics.ascent() + metrics.underlinePos(), charWidth,
                               std::max(1, metrics.lineWidth())),
                         textColor);
    }
    y += lineHeight;
  }
  painter_->restore();
  return textHeight;
}

void Canvas::DrawEdge(Rect& rect, unsigned edge, unsigned flags) {
  const bool soft = (flags & BF_SOFT) != 0;
  const unsigned outerKind = edge & BDR_OUTER;
  const unsigned innerKind = edge & BDR_INNER;
  // With no outer kind, the inner line takes the outer position.
  std::optional<EdgeLine> outer =
      outerKind != 0 ? OuterLine(outerKind, soft) : InnerLine(innerKind, soft);
  std::optional<EdgeLine> inner =
      outerKind != 0 ? InnerLine(innerKind, soft) : std::nullopt;

  Rect r = rect;
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  // Each side of a line runs the full length; bottom and right are drawn last and so own the
  // corners they share with top and left.
  if (outer) {
    const TColor lt = SysColorValue(outer->topLeft);
    const TColor rb = SysColorValue(outer->bottomRight);
    if (flags & BF_TOP) FillPixels(r.left, r.top, width, 1, lt);
    if (flags & BF_LEFT) FillPixels(r.left, r.top, 1, height, lt);
    if (flags & BF_BOTTOM) FillPixels(r.left, r.bottom - 1, width, 1, rb);
    if (flags & BF_RIGHT) FillPixels(r.right - 1, r.top, 1, height, rb);
  }
  if (inner) {
    // The inner line stops short of the corners where the outer line turns.
    const int ltPlus = (flags & BF_TOPLEFT) == BF_TOPLEFT ? 1 : 0;
    const int rtPlus = (flags & (BF_TOP | BF_RIGHT)) == (BF_TOP | BF_RIGHT) ? 1 : 0;
    const int lbPlus = (flags & (BF_BOTTOM | BF_LEFT)) == (BF_BOTTOM | BF_LEFT) ? 1 : 0;
    const int rbPlus = (flags & BF_BOTTOMRIGHT) == BF_BOTTOMRIGHT ? 1 : 0;
    const TColor lt = SysColorValue(inner->topLeft);
    const TColor rb = SysColorValue(inner->bottomRight);
    if (flags & BF_TOP) FillPixels(r.left + ltPlus, r.top + 1, width - ltPlus - rtPlus, 1, lt);
    if (flags & BF_LEFT) FillPixels(r.left + 1, r.top + ltPlus, 1, height - ltPlus - lbPlus, lt);
    if (flags & BF_BOTTOM) FillPixels(r.left + lbPlus, r.bottom - 2, width - lbPlus - rbPlus, 1, rb);
    if (flags & BF_RIGHT) FillPixels(r.right - 2, r.top + rtPlus, 1, height - rtPlus - rbPlus, rb);
  }

  if ((flags & BF_MIDDLE) || (flags & BF_ADJUST)) {
    // The edge's thickness: any edge kind takes one line, an outer and an inner one take two.
    const int thickness = ((edge & (BDR_OUTER | BDR_INNER)) != 0 ? 1 : 0) +
                          (outerKind != 0 && innerKind != 0 ? 1 : 0);
    if (flags & BF_LEFT) r.left += thickness;
    if (flags & BF_RIGHT) r.right -= thickness;
    if (flags & BF_TOP) r.top += thickness;
    if (flags & BF_BOTTOM) r.bottom -= thickness;
    if (flags & BF_MIDDLE) {
      FillPixels(r.left, r.top, r.right - r.left, r.bottom - r.top, SysColorValue(SysColor::BtnFace));
    }
    if (flags & BF_ADJUST) rect = r;
  }
}

void Canvas::DrawImage(int x, int y, const QImage& image) {
  painter_->drawImage(QPoint(x, y), image);
}

void Canvas::DrawBitmap(int x, int y, const Bitmap& bitmap) {
  if (!bitmap.IsEmpty()) DrawImage(x, y, ToQImage(bitmap));
}

void Canvas::DrawMasked(int x, int y, const Bitmap& image, const Bitmap& mask) {
  if (!image.IsEmpty()) DrawImage(x, y, ToMaskedQImage(image, mask));
}

}  // namespace tilvaro
