#pragma once
// Canvas: the drawing surface that the controls paint on, with the state and the operations of
// the platform's device-context canvases (font with colour, brush, pen; rectangles measured with
// right and bottom exclusive), carried out through a QPainter with pixel-exact results.

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QString>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>

#include "platform/DrawFlags.h"
#include "platform/raster/Bitmap.h"
#include "platform/raster/Color.h"
#include "platform/raster/Geometry.h"

class QPainter;

namespace tilvaro {

enum class BrushStyle : std::uint8_t { Solid, Clear, Pattern };

struct CanvasFont {
  QFont font;
  TColor color = RGBColor(0, 0, 0);
};

struct CanvasBrush {
  TColor color = RGBColor(255, 255, 255);
  BrushStyle style = BrushStyle::Solid;
  QImage pattern;  // used with BrushStyle::Pattern, tiled from the canvas origin
};

struct CanvasPen {
  TColor color = RGBColor(0, 0, 0);
  bool visible = true;  // an invisible pen draws no lines and no polygon outlines
};

class Canvas {
 public:
  // Draws through a painter that the caller owns and keeps alive.
  explicit Canvas(QPainter& painter);
  // Draws into an image (it must stay alive while the canvas does).
  explicit Canvas(QImage& image);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  CanvasFont Font;
  CanvasBrush Brush;
  CanvasPen Pen;

  QPainter& Painter() { return *painter_; }
  // Metrics of the canvas font on the canvas's device: what DrawText measures with.
  QFontMetrics FontMetrics() const;

  // Fills the rectangle with the brush (nothing for a clear brush).
  void FillRect(const Rect& rect);
  // One-pixel frame just inside the rectangle, in the brush.
  void FrameRect(const Rect& rect);
  // One-pixel lines through the points in the pen colour; the last point itself is left out.
  void Polyline(std::initializer_list<Point> points);
  // A polygon filled with the brush and outlined with the pen, its vertices included.
  void Polygon(std::initializer_list<Point> points);

  // Draws or (with DT_CALCRECT) measures text in the rectangle; returns the text's height.
  // DT_CALCRECT sets the rectangle's right and bottom to the measured size and draws nothing.
  // Text is clipped to the rectangle (unless DT_NOCLIP), in the font colour; a solid brush fills behind each line.
  int DrawText(const QString& text, Rect& rect, unsigned flags);

  // Draws the platform's 3-D edges: one line per given edge kind, light at top and left and dark
  // at bottom and right for raised, the other way round for sunken. BF_MIDDLE fills the interior
  // with the button face, BF_ADJUST moves the rectangle's sides inside the edge.
  void DrawEdge(Rect& rect, unsigned edge, unsigned flags);

  // Draws an image at its own size; its alpha channel decides what shows.
  void DrawImage(int x, int y, const QImage& image);
  // Draws a raster bitmap at its own size (mono bits 0 black, 1 white).
  void DrawBitmap(int x, int y, const Bitmap& bitmap);
  // Draws a colour bitmap through a mono mask: pixels whose mask bit is 1 are left alone.
  void DrawMasked(int x, int y, const Bitmap& image, const Bitmap& mask);

 private:
  void FillPixels(int left, int top, int width, int height, TColor color);
  void Line(Point from, Point to, TColor color);  // Bresenham, end point excluded

  // The metrics of the last font measured, kept because making them costs as much as a measure.
  mutable std::optional<QFontMetrics> metrics_;
  mutable QFont metricsFont_;

  std::unique_ptr<QPainter> ownPainter_;
  QPainter* painter_;
};

}  // namespace tilvaro
