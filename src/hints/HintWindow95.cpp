#include "hints/HintWindow95.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>

#include "hints/Hint95.h"
#include "hints/HintPlacement.h"
#include "platform/CurrentCursor.h"

namespace tilvaro {

namespace {

constexpr unsigned kHintTextFlags = DT_WORDBREAK | DT_NOPREFIX;

// The frame: the top-left colour down the left column and along the top row, the bottom-right
// colour along the bottom row and up the right column. Each polyline leaves out its last point,
// so the light colour misses the left column's lowest and the top row's rightmost pixel.
void DrawHintFrame(Canvas& canvas, const Rect& r, SysColor topLeft, SysColor bottomRight) {
  const CanvasPen previous = canvas.Pen;
  canvas.Pen = CanvasPen{SysColorValue(topLeft), true};
  canvas.Polyline({{r.left, r.bottom - 2}, {r.left, r.top}, {r.right - 1, r.top}});
  canvas.Pen = CanvasPen{SysColorValue(bottomRight), true};
  canvas.Polyline({{r.left, r.bottom - 1}, {r.right - 1, r.bottom - 1}, {r.right - 1, r.top - 1}});
  canvas.Pen = previous;
}

// The cursor showing at `pointer`: the override cursor, or that of the widget under it.
QCursor CursorAt(QPoint pointer) {
  if (const QCursor* override = QGuiApplication::overrideCursor()) return *override;
  if (const QWidget* widget = QApplication::widgetAt(pointer)) return widget->cursor();
  if (const QWidget* control = THint95Shared::Get().LastHintControl) return control->cursor();
  return QCursor();
}

}  // namespace

THintWindow95::Environment THintWindow95::SystemEnvironment() {
  Environment environment;
  environment.pointer = [] { return QCursor::pos(); };
  environment.cursorImage = [] { return CurrentCursorImage(CursorAt(QCursor::pos())); };
  environment.screenAt = [](QPoint point) {
    const QScreen* screen = QGuiApplication::screenAt(point);
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry() : QRect();
  };
  return environment;
}

THintWindow95::THintWindow95(Environment environment)
    : THintWindow(nullptr, AdjustWindowStyle(Qt::ToolTip)), environment_(std::move(environment)) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
}

Qt::WindowFlags THintWindow95::AdjustWindowStyle(Qt::WindowFlags params) {
  // The painted frame is the window's only border.
  return (params & ~Qt::WindowType_Mask) | Qt::ToolTip | Qt::FramelessWindowHint |
         Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput;
}

void THintWindow95::PlaceAndShow(const Rect& proposed, const QString& text) {
  text_ = text;
  // The hint's text is the window's title too, so that tools looking at the screen can name it.
  setWindowTitle(text);
  HintComponent = THint95::FindHintComponent();
  if (!HintComponent) {
    hide();  // no style and no font to show it with
    return;
  }
  style_ = HintComponent->HintStyle();
  font_ = HintComponent->HintFont();
  const HintLook look = LookOf(style_);

  // Measure on an image of the window's resolution, laid out as it will be painted.
  QImage surface(1, 1, QImage::Format_ARGB32_Premultiplied);
  surface.setDotsPerMeterX(qRound(logicalDpiX() / 0.0254));
  surface.setDotsPerMeterY(qRound(logicalDpiY() / 0.0254));
  const THint95Shared& shared = THint95Shared::Get();
  Rect r{proposed.left, proposed.top, proposed.left + shared.LastHintMaxWidth - look.extraWidth, proposed.top};
  {
    Canvas canvas(surface);
    canvas.Font = font_;
    canvas.DrawText(text, r, kHintTextFlags | DT_CALCRECT);
  }
  HintTextWidth = r.Width();
  HintTextHeight = r.Height();

  const QPoint pointer = environment_.pointer();
  const std::optional<CursorImage> cursor = environment_.cursorImage();
  const QRect screen = environment_.screenAt(pointer);
  HintPlacementInput input;
  input.text = Size{HintTextWidth, HintTextHeight};
  input.extra = Size{look.extraWidth, look.extraHeight};
  input.pointer = Point{pointer.x(), pointer.y()};
  input.cursorBottomOffset = CursorBottomOffset(cursor ? *cursor : ClassicArrowCursorImage());
  input.screen = Rect::FromSize(screen.x(), screen.y(), screen.width(), screen.height());
  const QWidget* control = shared.LastHintControl.data();
  input.abovePointerAtBottom = style_ == THintStyle::hsOffice97 || (control != nullptr && control->isWindow());
  if (control != nullptr && !control->isWindow()) {
    input.controlTop = control->parentWidget()->mapToGlobal(QPoint(0, control->y())).y();
  }
  const Rect placed = PlaceHint(input);

  setGeometry(placed.left, placed.top, placed.Width(), placed.Height());
  // A window being mapped comes up on top of the others; one already showing is lifted.
  if (isVisible()) raise();
  show();
  update();
}

void THintWindow95::PaintHint(Canvas& canvas) {
  const Rect r{0, 0, width(), height()};
  const HintLook look = LookOf(style_);
  canvas.Brush = CanvasBrush{SysColorValue(SysColor::InfoBk), BrushStyle::Solid, {}};
  canvas.FillRect(r);
  DrawHintFrame(canvas, r, look.topLeft, look.bottomRight);
  canvas.Brush.style = BrushStyle::Clear;  // the text leaves the background as it is

  Rect text;
  text.left = r.left + (r.Width() - HintTextWidth) / 2;
  text.top = r.top + (r.Height() - HintTextHeight) / 2;
  text.right = r.right;
  text.bottom = text.top + HintTextHeight;
  canvas.Font = font_;
  canvas.DrawText(text_, text, kHintTextFlags | DT_NOCLIP);
}

void THintWindow95::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Canvas canvas(painter);
  PaintHint(canvas);
}

}  // namespace tilvaro
