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
#include <QTimer>
#include <QToolTip>
#include <algorithm>
#include <optional>

#include "controls/ButtonGlyph.h"
#include "platform/Canvas.h"
#include "platform/ErrorBox.h"

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

}  // namespace

TToolbarButton97::TToolbarButton97(QWidget* parent) : QWidget(parent) {
  resize(kDefaultWidth, kDefaultHeight);
  setFocusPolicy(Qt::NoFocus);
  // Moves are needed without a pressed button too: after a click the button becomes hot again at
  // the next move over it.
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent, opaque_ || !flat_);
  renderer_ = std::make_unique<TButtonGlyph>();
  renderer_->OnGlyphChange = [this](TButtonGlyph&) { update(); };
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
  renderer_->SetGlyph(glyph);
  numGlyphs_ = renderer_->NumGlyphs();  // derived from the strip's proportions
  paintErrorReported_ = false;
  update();
}

void TToolbarButton97::SetNumGlyphs(int count) {
  count = std::clamp(count, 1, kMaxGlyphs);
  if (count == renderer_->NumGlyphs()) return;
  renderer_->SetNumGlyphs(count);
  numGlyphs_ = renderer_->NumGlyphs();
  paintErrorReported_ = false;
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
  } else if (event->type() == QEvent::PaletteChange ||
             event->type() == QEvent::ApplicationPaletteChange) {
    // The system colours may have changed: the prepared images that use them are made anew.
    renderer_->DiscardImages();
    update();
  } else if (event->type() == QEvent::FontChange) {
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
  // No exception may leave through Qt's paint dispatch. A glyph the renderer cannot prepare
  // leaves the face as far as it got, and its error is shown once, after the paint.
  try {
    Paint(painter);
  } catch (const std::exception& error) {
    if (paintErrorReported_) return;
    paintErrorReported_ = true;
    const QString message = QString::fromUtf8(error.what()) + QLatin1Char('.');
    QTimer::singleShot(0, this, [this, message] {
      ShowErrorBox(window(), message, QString::fromUtf8(kApplicationTitle));
    });
  }
}

void TToolbarButton97::Paint(QPainter& painter) {
  // Opaque and non-flat faces are drawn off-screen and copied in one step, so they never
  // flicker; a transparent flat face draws straight over what the parent painted.
  const bool offScreen = opaque_ || !flat_;
  QImage buffer;
  std::optional<Canvas> bufferCanvas;
  std::optional<Canvas> directCanvas;
  if (offScreen) {
    buffer = QImage(size(), QImage::Format_RGB32);
    buffer.fill(Color());
    bufferCanvas.emplace(buffer);
  } else {
    directCanvas.emplace(painter);
  }
  Canvas& canvas = offScreen ? *bufferCanvas : *directCanvas;
  canvas.Font.font = font();
  const QColor fontColor = FontColor();
  canvas.Font.color = RGBColor(fontColor.red(), fontColor.green(), fontColor.blue());

  const bool faceDown = state_ == ButtonState::Down || state_ == ButtonState::Latched;
  const bool drawFrame = !flat_ || faceDown || (pointerOver_ && state_ != ButtonState::Disabled);
  Rect face{0, 0, width(), height()};
  if (drawFrame) {
    Rect frame = face;
    if (flat_) {
      canvas.DrawEdge(frame, faceDown ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    } else {
      canvas.DrawEdge(frame, faceDown ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_SOFT);
    }
  }
  const int inset = flat_ ? 1 : 2;
  face = Rect{face.left + inset, face.top + inset, face.right - inset, face.bottom - inset};
  const Point offset = faceDown ? Point{1, 1} : Point{0, 0};
  renderer_->RenderButton(canvas, face, offset, displayMode_ != TButtonDisplayMode::dmTextOnly,
                          displayMode_ != TButtonDisplayMode::dmGlyphOnly, caption_, false, alignment_,
                          layout_, margin_, spacing_, false, 9, state_);

  if (offScreen) {
    bufferCanvas.reset();  // finishes the drawing on the buffer
    painter.drawImage(0, 0, buffer);
  }
}

}  // namespace tilvaro
