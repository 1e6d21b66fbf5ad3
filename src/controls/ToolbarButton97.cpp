#include "controls/ToolbarButton97.h"

#include <QDialog>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QShortcutEvent>
#include <QToolTip>
#include <algorithm>

namespace tilvaro {

namespace {

constexpr int kMaxGlyphs = 5;

// The accelerator of a caption: the character after the first '&'; none when there is no '&' or
// it is the last character.
QChar AcceleratorOf(const QString& caption) {
  const qsizetype amp = caption.indexOf(QLatin1Char('&'));
  if (amp < 0 || amp + 1 >= caption.size()) return {};
  return caption.at(amp + 1);
}

// Returns the image with its transparent colour (the bottom-left pixel's) made fully transparent.
QImage WithTransparentBackground(const QImage& source) {
  QImage image = source.convertToFormat(QImage::Format_ARGB32);
  if (image.isNull()) return image;
  const QRgb transparent = image.pixel(0, image.height() - 1) | 0xFF000000u;
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if ((line[x] | 0xFF000000u) == transparent || qAlpha(line[x]) == 0) line[x] = 0;
    }
  }
  return image;
}

// A one-colour silhouette of the glyph's darker pixels, the way a greyed-out glyph is embossed:
// light parts of the drawing vanish, dark parts keep the shape.
QImage Silhouette(const QImage& glyph, const QColor& colour) {
  QImage shape(glyph.size(), QImage::Format_ARGB32);
  shape.fill(Qt::transparent);
  for (int y = 0; y < glyph.height(); ++y) {
    for (int x = 0; x < glyph.width(); ++x) {
      const QRgb pixel = glyph.pixel(x, y);
      if (qAlpha(pixel) == 0) continue;
      if (qGray(pixel) < 192) shape.setPixelColor(x, y, colour);
    }
  }
  return shape;
}

}  // namespace

TToolbarButton97::TToolbarButton97(QWidget* parent) : QWidget(parent) {
  resize(kDefaultWidth, kDefaultHeight);
  setFocusPolicy(Qt::NoFocus);
  // Moves are needed without a pressed button too: after a click the button becomes hot again at
  // the next move over it.
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent, opaque_ || !flat_);
}

TToolbarButton97::~TToolbarButton97() = default;

void TToolbarButton97::SetCaption(const QString& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  UpdateAccelerator();
  update();
}

void TToolbarButton97::SetGlyph(const QImage& glyph) {
  glyph_ = glyph;
  update();
}

void TToolbarButton97::SetNumGlyphs(int count) {
  count = std::clamp(count, 1, kMaxGlyphs);
  if (count == numGlyphs_) return;
  numGlyphs_ = count;
  update();
}

void TToolbarButton97::SetLayout(TButtonLayout layout) {
  if (layout == layout_) return;
  layout_ = layout;
  update();
}

void TToolbarButton97::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  update();
}

void TToolbarButton97::SetDisplayMode(TButtonDisplayMode mode) {
  if (mode == displayMode_) return;
  displayMode_ = mode;
  UpdateAccelerator();
  update();
}

void TToolbarButton97::SetSpacing(int spacing) {
  if (spacing == spacing_) return;
  spacing_ = spacing;
  update();
}

void TToolbarButton97::SetMargin(int margin) {
  if (margin < -1 || margin == margin_) return;
  margin_ = margin;
  update();
}

void TToolbarButton97::SetFlat(bool flat) {
  if (flat == flat_) return;
  flat_ = flat;
  setAttribute(Qt::WA_OpaquePaintEvent, opaque_ || !flat_);
  update();
}

void TToolbarButton97::SetOpaque(bool opaque) {
  if (opaque == opaque_) return;
  opaque_ = opaque;
  setAttribute(Qt::WA_OpaquePaintEvent, opaque_ || !flat_);
  update();
}

void TToolbarButton97::SetColor(const QColor& color) {
  QPalette pal = palette();
  pal.setColor(QPalette::Button, color);
  setPalette(pal);
}

QColor TToolbarButton97::Color() const { return palette().color(QPalette::Button); }

void TToolbarButton97::SetFontColor(const QColor& color) {
  QPalette pal = palette();
  pal.setColor(QPalette::ButtonText, color);
  pal.setColor(QPalette::WindowText, color);
  setPalette(pal);
}

QColor TToolbarButton97::FontColor() const { return palette().color(QPalette::ButtonText); }

void TToolbarButton97::SetState(ButtonState state) {
  if (state == state_) return;
  state_ = state;
  update();
}

bool TToolbarButton97::PointInFace(const QPoint& point) const { return rect().contains(point); }

void TToolbarButton97::PointerEntered() {
  if (!isEnabled() || pointerOver_) return;
  pointerOver_ = true;
  if (state_ == ButtonState::Up) state_ = ButtonState::Hot;
  update();
  if (OnMouseEnter) OnMouseEnter(this);
}

void TToolbarButton97::PointerLeft() {
  if (!isEnabled() || !pointerOver_ || leftButtonHeld_) return;
  pointerOver_ = false;
  if (state_ == ButtonState::Hot || (state_ == ButtonState::Down && !clickInProgress_)) {
    state_ = ButtonState::Up;
  }
  update();
  if (OnMouseExit) OnMouseExit(this);
}

void TToolbarButton97::Click() {
  QPointer<TToolbarButton97> self(this);
  clickInProgress_ = true;
  // The closing steps run however the handlers end, unless a handler destroyed the button.
  struct ClickEnd {
    QPointer<TToolbarButton97>& button;
    ~ClickEnd() {
      if (!button) return;
      button->clickInProgress_ = false;
      if (button->state_ == ButtonState::Down) button->state_ = ButtonState::Up;
      button->update();
      button->PointerLeft();
    }
  } clickEnd{self};

  // A click raised from the keyboard shows the face pressed while the handlers run.
  if (state_ == ButtonState::Up || state_ == ButtonState::Hot) SetState(ButtonState::Down);
  PointerLeft();
  // A modal dialog ends its modal wait with a non-zero result; a dialog that is not shown modally
  // only records the result.
  if (modalResult_ != 0) {
    if (auto* dialog = qobject_cast<QDialog*>(window())) {
      if (dialog->isModal() && dialog->isVisible()) {
        dialog->done(modalResult_);
      } else {
        dialog->setResult(modalResult_);
      }
    }
  }
  if (self && OnClick) OnClick(this);
}

void TToolbarButton97::UpdateAccelerator() {
  if (shortcutId_ != 0) {
    releaseShortcut(shortcutId_);
    shortcutId_ = 0;
  }
  const QChar accelerator = AcceleratorOf(caption_);
  if (accelerator.isNull() || displayMode_ == TButtonDisplayMode::dmGlyphOnly) return;
  // Qt's key codes for letters and digits are their upper-case code points.
  const auto key = static_cast<int>(accelerator.toUpper().unicode());
  shortcutId_ = grabShortcut(QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(key))),
                             Qt::WindowShortcut);
}

bool TToolbarButton97::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::Shortcut: {
      auto* shortcut = static_cast<QShortcutEvent*>(event);
      if (shortcut->shortcutId() != shortcutId_) break;
      if (isEnabled() && isVisible() && displayMode_ != TButtonDisplayMode::dmGlyphOnly) Click();
      return true;
    }
    case QEvent::ToolTip: {
      auto* help = static_cast<QHelpEvent*>(event);
      if (showHint_ && !hint_.isEmpty()) {
        QToolTip::showText(help->globalPos(), hint_, this);
      } else {
        QToolTip::hideText();
        event->ignore();
      }
      return true;
    }
    default:
      break;
  }
  return QWidget::event(event);
}

void TToolbarButton97::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) {
    if (!isEnabled()) {
      state_ = ButtonState::Disabled;
      pointerOver_ = false;
      leftButtonHeld_ = false;
    } else if (state_ == ButtonState::Disabled) {
      state_ = ButtonState::Up;
    }
    update();
  } else if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) {
    update();
  }
  QWidget::changeEvent(event);
}

void TToolbarButton97::enterEvent(QEnterEvent* event) {
  PointerEntered();
  QWidget::enterEvent(event);
}

void TToolbarButton97::leaveEvent(QEvent* event) {
  PointerLeft();
  QWidget::leaveEvent(event);
}

void TToolbarButton97::mousePressEvent(QMouseEvent* event) {
  event->accept();
  if (!isEnabled()) return;
  PointerEntered();
  if (event->button() != Qt::LeftButton) return;
  SetState(ButtonState::Down);
  leftButtonHeld_ = true;
}

void TToolbarButton97::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second press of a double-click is an ordinary press: two clicks in all.
  mousePressEvent(event);
}

void TToolbarButton97::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  const QPoint pos = event->position().toPoint();
  if (!pointerOver_ && rect().contains(pos)) PointerEntered();
  if (leftButtonHeld_) SetState(PointInFace(pos) ? ButtonState::Down : ButtonState::Up);
}

void TToolbarButton97::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() == Qt::RightButton && isEnabled()) {
    leftButtonHeld_ = false;
    PointerLeft();
    return;
  }
  if (event->button() != Qt::LeftButton || !leftButtonHeld_) return;
  leftButtonHeld_ = false;
  if (PointInFace(event->position().toPoint())) {
    Click();
  } else {
    PointerLeft();
  }
}

void TToolbarButton97::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  Paint(painter);
}

void TToolbarButton97::Paint(QPainter& painter) {
  if (opaque_ || !flat_) painter.fillRect(rect(), Color());
  painter.setFont(font());

  const bool faceDown = state_ == ButtonState::Down || state_ == ButtonState::Latched;
  const bool drawFrame = !flat_ || faceDown || (pointerOver_ && state_ != ButtonState::Disabled);
  QRect face = rect();
  if (drawFrame) PaintFrame(painter, face, faceDown);
  const int inset = flat_ ? 1 : 2;
  face.adjust(inset, inset, -inset, -inset);
  PaintContent(painter, face, faceDown ? QPoint(1, 1) : QPoint(0, 0));
}

void TToolbarButton97::PaintFrame(QPainter& painter, const QRect& rect, bool pushed) const {
  const QPalette& pal = palette();
  const int left = rect.left(), top = rect.top(), right = rect.right(), bottom = rect.bottom();
  // One line: top and left in `topLeft`, then bottom and right (covering the corners) in
  // `bottomRight`.
  auto line = [&](int inset, const QColor& topLeft, const QColor& bottomRight) {
    painter.setPen(topLeft);
    painter.drawLine(left + inset, top + inset, right - inset - 1, top + inset);
    painter.drawLine(left + inset, top + inset, left + inset, bottom - inset - 1);
    painter.setPen(bottomRight);
    painter.drawLine(left + inset, bottom - inset, right - inset, bottom - inset);
    painter.drawLine(right - inset, top + inset, right - inset, bottom - inset);
  };
  if (flat_) {
    if (pushed) {
      line(0, pal.color(QPalette::Dark), pal.color(QPalette::Light));
    } else {
      line(0, pal.color(QPalette::Light), pal.color(QPalette::Dark));
    }
    return;
  }
  painter.fillRect(rect.adjusted(2, 2, -2, -2), pal.color(QPalette::Button));
  if (pushed) {
    line(0, pal.color(QPalette::Dark), pal.color(QPalette::Light));
    line(1, pal.color(QPalette::Shadow), pal.color(QPalette::Midlight));
  } else {
    line(0, pal.color(QPalette::Light), pal.color(QPalette::Shadow));
    line(1, pal.color(QPalette::Midlight), pal.color(QPalette::Dark));
  }
}

QImage TToolbarButton97::GlyphImageForState() const {
  if (glyph_.isNull()) return {};
  const int cellWidth = glyph_.width() / numGlyphs_;
  if (cellWidth <= 0) return {};
  const int column = static_cast<int>(state_) < numGlyphs_ ? static_cast<int>(state_) : 0;
  return WithTransparentBackground(glyph_.copy(column * cellWidth, 0, cellWidth, glyph_.height()));
}

void TToolbarButton97::PaintContent(QPainter& painter, const QRect& rect, QPoint offset) const {
  const bool disabled = state_ == ButtonState::Disabled;
  const QImage glyph =
      displayMode_ == TButtonDisplayMode::dmTextOnly ? QImage() : GlyphImageForState();
  const bool showCaption = displayMode_ != TButtonDisplayMode::dmGlyphOnly && !caption_.isEmpty();

  const QFontMetrics metrics(font());
  const QSize textSize = showCaption ? metrics.size(Qt::TextShowMnemonic, caption_) : QSize();
  const QSize glyphSize = glyph.isNull() ? QSize() : glyph.size();
  const int gap = (!glyph.isNull() && showCaption) ? spacing_ : 0;
  const bool horizontal =
      layout_ == TButtonLayout::blGlyphLeft || layout_ == TButtonLayout::blGlyphRight;

  // Extent of glyph, gap and caption along the layout's axis; the other axis centres each part.
  const int along = horizontal ? glyphSize.width() + gap + textSize.width()
                               : glyphSize.height() + gap + textSize.height();
  const int space = horizontal ? rect.width() : rect.height();
  const int start = margin_ < 0 ? (space - along) / 2 : margin_;
  const bool glyphFirst =
      layout_ == TButtonLayout::blGlyphLeft || layout_ == TButtonLayout::blGlyphTop;

  QPoint glyphPos, textPos;
  if (horizontal) {
    const int glyphX = glyphFirst ? start : start + textSize.width() + gap;
    const int textX = glyphFirst ? start + glyphSize.width() + gap : start;
    glyphPos = {rect.left() + glyphX, rect.top() + (rect.height() - glyphSize.height()) / 2};
    textPos = {rect.left() + textX, rect.top() + (rect.height() - textSize.height()) / 2};
  } else {
    const int glyphY = glyphFirst ? start : start + textSize.height() + gap;
    const int textY = glyphFirst ? start + glyphSize.height() + gap : start;
    glyphPos = {rect.left() + (rect.width() - glyphSize.width()) / 2, rect.top() + glyphY};
    textPos = {rect.left() + (rect.width() - textSize.width()) / 2, rect.top() + textY};
  }
  glyphPos += offset;
  textPos += offset;

  const QPalette& pal = palette();
  if (!glyph.isNull()) {
    // A strip without an own disabled image is greyed out by embossing its silhouette.
    if (disabled && numGlyphs_ <= static_cast<int>(ButtonState::Disabled)) {
      painter.drawImage(glyphPos + QPoint(1, 1), Silhouette(glyph, pal.color(QPalette::Light)));
      painter.drawImage(glyphPos, Silhouette(glyph, pal.color(QPalette::Dark)));
    } else {
      painter.drawImage(glyphPos, glyph);
    }
  }
  if (showCaption) {
    const QRect textRect(textPos, textSize);
    const int flags = Qt::TextShowMnemonic | Qt::AlignCenter;
    if (disabled) {
      painter.setPen(pal.color(QPalette::Light));
      painter.drawText(textRect.translated(1, 1), flags, caption_);
      painter.setPen(pal.color(QPalette::Dark));
    } else {
      painter.setPen(pal.color(QPalette::ButtonText));
    }
    painter.drawText(textRect, flags, caption_);
  }
}

}  // namespace tilvaro
