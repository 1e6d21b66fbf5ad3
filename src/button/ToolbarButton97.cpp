#include "button/ToolbarButton97.h"

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QEnterEvent>
#include <QKeySequence>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <QTimer>
#include <algorithm>
#include <optional>
#include <utility>

#include "button/ButtonTracking.h"
#include "button/ClosingPress.h"
#include "button/ToolbarButtonAccessible.h"
#include "button/DropdownList.h"
#include "glyphs/ButtonGlyph.h"
#include "runtime/ControlsVersion.h"
#include "platform/Canvas.h"
#include "platform/ErrorBox.h"
#include "platform/RaiseEvent.h"

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

// Sets `field` to `value`; whether that changed it (a setter then redraws what depends on it).
template <typename T>
bool Assign(T& field, const T& value) {
  if (field == value) return false;
  field = value;
  return true;
}

// Runs its function when the scope ends, however it ends.
template <typename F>
class AtScopeEnd {
 public:
  explicit AtScopeEnd(F run) : run_(std::move(run)) {}
  AtScopeEnd(const AtScopeEnd&) = delete;
  AtScopeEnd& operator=(const AtScopeEnd&) = delete;
  ~AtScopeEnd() { run_(); }

 private:
  F run_;
};

bool SameLetter(QChar a, QChar b) {
  const QLocale locale;
  return locale.toLower(QString(a)) == locale.toLower(QString(b));
}

// Undoes a saved layout direction when the drop-down ends, however it ends.
struct RestoreDirection {
  QPointer<QMenu> menu;
  Qt::LayoutDirection direction;
  ~RestoreDirection() {
    if (menu) menu->setLayoutDirection(direction);
  }
};

}  // namespace

TToolbarButton97::TToolbarButton97(QWidget* parent) : QWidget(parent) {
  ButtonTracking::Instance();  // hot tracking and the window's keys are followed from now on
  resize(kDefaultWidth, kDefaultHeight);
  setFocusPolicy(Qt::NoFocus);
  // Moves are needed without a pressed button too: a move makes the button hot.
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent, DeclaredOpaque());
  renderer_ = std::make_unique<TButtonGlyph>();
  renderer_->OnGlyphChange = [this](TButtonGlyph& renderer) {
    behaviour_.props.numGlyphs = renderer.NumGlyphs();
    paintErrorReported_ = false;
    Redraw(true);
  };
  // Made inside a disabled container: disabled from the start, without an EnabledChange.
  if (!isEnabled()) Feed({ButtonInputKind::SetEnabled, false, false});
}

TToolbarButton97::~TToolbarButton97() {
  if (ButtonTracking* tracking = ButtonTracking::Existing()) tracking->StopLeaveTracking(*this);
  renderer_->OnGlyphChange = nullptr;
}

QString TToolbarButton97::Version() const { return QString::fromLatin1(kControlsVersion); }

// --- Setters ----------------------------------------------------------------------------------

void TToolbarButton97::SetCaption(const QString& caption) {
  if (!Assign(caption_, caption)) return;
  UpdateAccelerator();
  Redraw(true);
}

void TToolbarButton97::SetGlyph(const QImage& glyph) {
  glyph_ = glyph;
  renderer_->SetGlyph(glyph);  // derives NumGlyphs and notifies: Redraw
}

void TToolbarButton97::SetGlyphMask(const Bitmap& mask) { renderer_->SetGlyphMask(mask); }
const Bitmap& TToolbarButton97::GlyphMask() const { return renderer_->GlyphMask(); }

void TToolbarButton97::SetNumGlyphs(int count) {
  count = std::clamp(count, 1, kMaxGlyphs);
  if (count == renderer_->NumGlyphs()) return;
  renderer_->SetNumGlyphs(count);
}

int TToolbarButton97::NumGlyphs() const { return renderer_->NumGlyphs(); }

void TToolbarButton97::SetImages(TImageList* images) { renderer_->LinkImages(images); }
TImageList* TToolbarButton97::Images() const { return renderer_->Images(); }

void TToolbarButton97::SetImageIndex(int index) {
  renderer_->SetImageIndex(index);
  if (renderer_->Images()) renderer_->GlyphSourceChanged(nullptr);
}

int TToolbarButton97::ImageIndex() const { return renderer_->ImageIndex(); }

void TToolbarButton97::SetOldDisabledStyle(bool value) {
  if (!Assign(oldDisabledStyle_, value)) return;
  renderer_->SetOldDisabledStyle(value);
  renderer_->DiscardImages();
  Redraw(true);
}

void TToolbarButton97::SetLayout(TButtonLayout layout) {
  if (Assign(layout_, layout)) Redraw(true);
}

void TToolbarButton97::SetAlignment(TAlignment alignment) {
  if (Assign(alignment_, alignment)) Redraw(true);
}

void TToolbarButton97::SetDisplayMode(TButtonDisplayMode mode) {
  if (!Assign(displayMode_, mode)) return;
  behaviour_.props.glyphOnly = mode == TButtonDisplayMode::dmGlyphOnly;
  UpdateAccelerator();
  Redraw(true);
}

void TToolbarButton97::SetSpacing(int spacing) {
  if (Assign(spacing_, spacing)) Redraw(true);
}

void TToolbarButton97::SetMargin(int margin) {
  if (margin < -1 || margin == margin_) return;
  margin_ = margin;
  Redraw(true);
}

void TToolbarButton97::SetWordWrap(bool wrap) {
  if (Assign(wordWrap_, wrap)) Redraw(true);
}

void TToolbarButton97::SetFlat(bool flat) {
  if (flat == Flat()) return;
  behaviour_.props.flat = flat;
  setAttribute(Qt::WA_OpaquePaintEvent, DeclaredOpaque());
  Redraw(true);
}

void TToolbarButton97::SetOpaque(bool opaque) {
  if (!Assign(opaque_, opaque)) return;
  setAttribute(Qt::WA_OpaquePaintEvent, DeclaredOpaque());
  update();
}

void TToolbarButton97::SetNoBorder(bool noBorder) {
  if (Assign(noBorder_, noBorder)) update();
}

void TToolbarButton97::SetHighlightWhenDown(bool highlight) {
  if (Assign(highlightWhenDown_, highlight) && Down()) Redraw(true);
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

void TToolbarButton97::SetGroupIndex(int index) {
  if (index == GroupIndex()) return;
  behaviour_.props.groupIndex = index;
  SyncGroup();
}

void TToolbarButton97::SetDown(bool down) { Feed({ButtonInputKind::SetDown, false, down}); }

void TToolbarButton97::SetAllowAllUp(bool allow) {
  if (allow == AllowAllUp()) return;
  behaviour_.props.allowAllUp = allow;
  SyncGroup();
}

void TToolbarButton97::UpdateHasDropdown() {
  const bool had = HasDropdown();
  behaviour_.props.hasDropdown = dropdownAlways_ || dropdownMenu_ != nullptr;
  if (had != HasDropdown() && (dropdownArrow_ || DropdownCombo())) Redraw(true);
}

void TToolbarButton97::SetDropdownMenu(QMenu* menu) {
  if (dropdownMenu_) disconnect(dropdownMenu_, &QObject::destroyed, this, nullptr);
  dropdownMenu_ = menu;
  if (menu) {
    // A destroyed menu leaves the button as if it had been set to none. The pointer is only
    // cleared here: while it is being destroyed the object is no longer a QMenu to look at.
    connect(menu, &QObject::destroyed, this, [this] {
      dropdownMenu_ = nullptr;
      UpdateHasDropdown();
    });
    TDropdownList::Instance().AddMenu(menu);
  }
  UpdateHasDropdown();
}

void TToolbarButton97::SetDropdownAlways(bool always) {
  if (Assign(dropdownAlways_, always)) UpdateHasDropdown();
}

void TToolbarButton97::SetDropdownArrow(bool arrow) {
  if (Assign(dropdownArrow_, arrow)) Redraw(true);
}

void TToolbarButton97::SetDropdownArrowWidth(int width) {
  width = std::max(width, kMinDropdownArrowWidth);
  if (width == dropdownArrowWidth_) return;
  if (DropdownCombo()) resize(this->width() + width - dropdownArrowWidth_, height());
  dropdownArrowWidth_ = width;
  Redraw(true);
}

void TToolbarButton97::SetDropdownCombo(bool combo) {
  if (combo == DropdownCombo()) return;
  behaviour_.props.dropdownCombo = combo;
  const int part = dropdownArrowWidth_ + 2;
  resize(combo ? width() + part : std::max(1, width() - part), height());
  Redraw(true);
}

// --- Behaviour and effects --------------------------------------------------------------------

void TToolbarButton97::Feed(const ButtonInput& input) {
  const bool wasLatched = Down();
  const bool wasPressed = State() == ButtonState::Down;
  const ButtonEffects effects = behaviour_.Handle(input);
  // Told before the effects run: a handler among them may destroy the button.
  ToolbarButtonAccessible::StatesChanged(*this, wasLatched != Down(), wasPressed != (State() == ButtonState::Down));
  Apply(effects);
}

void TToolbarButton97::Apply(const ButtonEffects& effects) {
  QPointer<TToolbarButton97> self(this);
  ButtonTracking& tracking = ButtonTracking::Instance();
  for (const ButtonEffect effect : effects) {
    if (!self) return;  // a handler destroyed the button: nothing more to do
    switch (effect) {
      case ButtonEffect::RedrawErase: Redraw(true); break;
      case ButtonEffect::RedrawNoErase: Redraw(false); break;
      case ButtonEffect::RaiseMouseEnter: RaiseEvent(OnMouseEnter, this); break;
      case ButtonEffect::RaiseMouseExit: RaiseEvent(OnMouseExit, this); break;
      case ButtonEffect::RaiseMouseDown: RaiseMouse(OnMouseDown); break;
      case ButtonEffect::RaiseMouseUp: RaiseMouse(OnMouseUp); break;
      case ButtonEffect::RaiseMouseMove: RaiseMouse(OnMouseMove); break;
      case ButtonEffect::RaiseDblClick: RaiseEvent(OnDblClick, this); break;
      case ButtonEffect::Click: Click(); break;
      case ButtonEffect::RaiseClickOnly: RaiseInClick(OnClick, this); break;
      case ButtonEffect::ShowDropdown: ShowDropdown(); break;
      case ButtonEffect::ModalResultClick: ModalResultClick(); break;
      case ButtonEffect::StartRepeat:
        if (!repeatClock_) {
          repeatClock_ = ControlsRuntime::Instance().MakeTimer();
          repeatClock_->OnTick = [this] { RepeatTick(); };
        }
        repeatClock_->Stop();
        repeatClock_->SetInterval(repeatDelay_);
        repeatClock_->Start();
        break;
      case ButtonEffect::ResumeRepeat:
        if (repeatClock_ && !repeatClock_->Active()) repeatClock_->Start();
        break;
      case ButtonEffect::PauseRepeat:
        if (repeatClock_) repeatClock_->Stop();
        break;
      case ButtonEffect::RepeatAtInterval:
        if (repeatClock_) repeatClock_->SetInterval(repeatInterval_);
        break;
      case ButtonEffect::StopRepeat:
        // Stopped rather than destroyed: the release may come from within the timer's own tick.
        if (repeatClock_) repeatClock_->Stop();
        break;
      case ButtonEffect::TrackPointer:
        if (tracking.HotButton() != this && rect().contains(mousePos_)) tracking.PointerOnto(*this);
        break;
      case ButtonEffect::StopLeaveTracking: tracking.StopLeaveTracking(*this); break;
      case ButtonEffect::ReleaseCapture:
        if (QWidget::mouseGrabber() == this) releaseMouse();
        break;
      case ButtonEffect::SyncGroup: SyncGroup(); break;
    }
  }
  if (!self) return;
  if (LeftButtonHeld()) {
    tracking.SetHeldButton(*this);
  } else {
    tracking.ForgetHeldButton(*this);
  }
}

void TToolbarButton97::RaiseMouse(const TMouseEvent& handler) {
  RaiseEvent(handler, this, mouseButton_, mouseShift_, mousePos_.x(), mousePos_.y());
}

void TToolbarButton97::Redraw(bool erase) {
  // A transparent button that does not need the parent's erase is declared opaque until it has
  // painted, so that its new face is drawn over the old image.
  if (!DeclaredOpaque()) {
    if (erase) {
      erasePending_ = true;
      noErasePending_ = false;
      setAttribute(Qt::WA_OpaquePaintEvent, false);
    } else if (!erasePending_) {
      noErasePending_ = true;
      setAttribute(Qt::WA_OpaquePaintEvent, true);
    }
  }
  update();
}

bool TToolbarButton97::InFace(QPoint point) const {
  return PointInFace(behaviour_.props, width(), height(), dropdownArrowWidth_, point.x(), point.y());
}

void TToolbarButton97::SyncGroup() {
  if (GroupIndex() == 0 || parentWidget() == nullptr) return;
  for (QObject* child : parentWidget()->children()) {
    auto* other = qobject_cast<TToolbarButton97*>(child);
    if (other == nullptr || other == this || other->GroupIndex() != GroupIndex()) continue;
    if (Down() && other->Down()) other->Feed({ButtonInputKind::GroupMemberLatched});
    other->behaviour_.props.allowAllUp = AllowAllUp();
  }
}

template <typename Handler, typename... Args>
bool TToolbarButton97::RaiseInClick(const Handler& handler, Args&&... args) {
  QPointer<TToolbarButton97> self(this);
  std::exception_ptr failure = RaiseCatching(handler, std::forward<Args>(args)...);
  if (!failure) return true;
  if (!self) {
    ReportFailure(failure);
  } else if (!clickFailure_) {
    clickFailure_ = std::move(failure);
  }
  return false;
}

void TToolbarButton97::Click() {
  QPointer<TToolbarButton97> self(this);
  {
    // The click's last steps run however its action ends, unless the action destroyed the button.
    const AtScopeEnd clickEnd{[&self] {
      if (self) self->Feed({ButtonInputKind::ClickEnd});
    }};
    Feed({ButtonInputKind::ClickBegin});
  }
  // A handler's failure is shown once the face is up again.
  if (self && clickFailure_) ReportFailure(std::exchange(clickFailure_, nullptr));
}

void TToolbarButton97::ModalResultClick() {
  // The dialog's result is the button's, also 0, while OnClick runs; a non-zero result that the
  // handlers left ends a modal dialog's wait (a dialog that is not shown modally only keeps it).
  QPointer<QDialog> dialog = qobject_cast<QDialog*>(window());
  if (dialog) dialog->setResult(modalResult_);
  RaiseInClick(OnClick, this);
  if (dialog && dialog->result() != 0 && dialog->isModal() && dialog->isVisible()) dialog->done(dialog->result());
}

void TToolbarButton97::ShowDropdown() {
  QPointer<TToolbarButton97> self(this);
  // A plain drop-down button reports its click before the menu opens; a combo's arrow does not.
  // A failing OnClick ends the click: the menu does not open.
  if (!DropdownCombo() && !RaiseInClick(OnClick, this)) return;
  if (!self) return;
  if (QWidget::mouseGrabber() == this) releaseMouse();
  bool showMenu = dropdownMenu_ != nullptr;
  bool removeClicks = true;
  // A failing handler ends the click too: no menu, and nothing is removed.
  if (!RaiseInClick(OnDropdown, this, showMenu, removeClicks) || !self) return;
  const AtScopeEnd discardAfter{[&self, &removeClicks] {
    if (self && removeClicks) ButtonTracking::Instance().DiscardPressesOn(*self);
  }};
  QPointer<QMenu> menu = dropdownMenu_;  // tested after the event, which may have changed it
  if (!menu || !showMenu) return;
  // The menu opens to the right of the button's bottom-left corner whatever its direction.
  const RestoreDirection restore{menu, menu->layoutDirection()};
  menu->setLayoutDirection(Qt::LeftToRight);
  const QPoint corner = mapToGlobal(QPoint(0, height()));
  const ClosingPressWatch closingPress(*menu, *this, removeClicks);
  // The chosen item's action runs inside exec, before it returns.
  menu->exec(corner);
  if (closingPress.Press()) ButtonTracking::Instance().HandOn(*closingPress.Press());
}

void TToolbarButton97::RepeatTick() {
  Feed({ButtonInputKind::RepeatTick, InFace(mousePos_)});
}

bool TToolbarButton97::ParentCanFocus() const {
  const QWidget* parent = parentWidget();
  return parent != nullptr && parent->isVisible() && parent->isEnabled();
}

bool TToolbarButton97::AnswerDialogKey(int key, Qt::KeyboardModifiers modifiers) {
  const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
  if (!((enter && default_) || (key == Qt::Key_Escape && cancel_))) return false;
  if ((modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) != 0) return false;
  return ClickAsKey();
}

bool TToolbarButton97::ClickAsKey() {
  if (!ParentCanFocus() || !isEnabled() || !isVisible()) return false;
  Feed({ButtonInputKind::DialogKey});
  return true;
}

bool TToolbarButton97::DropdownAsKey() {
  if (!HasDropdown() || !ParentCanFocus() || !isEnabled() || !isVisible()) return false;
  QPointer<TToolbarButton97> self(this);
  // The arrow-part mark is cleared however the drop-down ends, as after a press.
  const AtScopeEnd pressEnd{[&self] {
    if (self) self->Feed({ButtonInputKind::PressEnd});
  }};
  Feed({ButtonInputKind::DropdownKey});
  return true;
}

QChar TToolbarButton97::Accelerator() const {
  return behaviour_.props.glyphOnly ? QChar() : AcceleratorOf(caption_);
}

std::optional<QKeyCombination> TToolbarButton97::AcceleratorKey() const {
  const QChar accelerator = Accelerator();
  if (accelerator.isNull()) return std::nullopt;
  // Qt's key codes for letters and digits are their upper-case code points.
  const char16_t upper = QLocale().toUpper(QString(accelerator)).at(0).unicode();
  return QKeyCombination(Qt::AltModifier, Qt::Key(upper));
}

bool TToolbarButton97::AnswerDialogChar(QChar character) {
  const QChar accelerator = Accelerator();
  if (accelerator.isNull() || !SameLetter(character, accelerator)) return false;
  if (!ParentCanFocus() || !isEnabled() || !isVisible()) return false;
  Feed({ButtonInputKind::Accelerator});
  return true;
}

void TToolbarButton97::UpdateAccelerator() {
  if (shortcutId_ != 0) {
    releaseShortcut(shortcutId_);
    shortcutId_ = 0;
  }
  if (const std::optional<QKeyCombination> key = AcceleratorKey()) {
    shortcutId_ = grabShortcut(QKeySequence(*key), Qt::WindowShortcut);
  }
}

// --- Qt events --------------------------------------------------------------------------------

bool TToolbarButton97::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::Shortcut: {
      auto* shortcut = static_cast<QShortcutEvent*>(event);
      if (shortcut->shortcutId() != shortcutId_) break;
      if (isVisible() && ParentCanFocus()) Feed({ButtonInputKind::Accelerator});
      return true;
    }
    case QEvent::ParentChange:
      // Moved into a disabled container, the button is disabled without an EnabledChange.
      Feed({ButtonInputKind::SetEnabled, false, isEnabled()});
      break;
    default:
      break;
  }
  return QWidget::event(event);
}

void TToolbarButton97::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) {
    Feed({ButtonInputKind::SetEnabled, false, isEnabled()});
  } else if (event->type() == QEvent::PaletteChange ||
             event->type() == QEvent::ApplicationPaletteChange) {
    // The system colours may have changed: the prepared images that use them are made anew,
    // and the checker pattern follows by itself.
    renderer_->DiscardImages();
    Redraw(true);
  } else if (event->type() == QEvent::FontChange) {
    Redraw(true);
  }
  QWidget::changeEvent(event);
}

void TToolbarButton97::enterEvent(QEnterEvent* event) {
  // The move that brought the pointer here comes right after this event and makes the button hot,
  // after its OnMouseMove. Without a move (the button appeared under the pointer, a popup closed
  // over it), the button becomes hot once the events of this turn are done.
  QTimer::singleShot(0, this, [this] {
    ButtonTracking& tracking = ButtonTracking::Instance();
    if (tracking.HotButton() != this && rect().contains(mapFromGlobal(QCursor::pos()))) tracking.PointerOnto(*this);
  });
  QWidget::enterEvent(event);
}

void TToolbarButton97::leaveEvent(QEvent* event) {
  Feed({ButtonInputKind::PointerLeft});
  QWidget::leaveEvent(event);
}

void TToolbarButton97::RememberMouse(QMouseEvent* event, bool doubleClick) {
  event->accept();
  mouseButton_ = event->button();
  mouseShift_ = TShiftState{event->modifiers(), doubleClick};
  mousePos_ = event->position().toPoint();
}

void TToolbarButton97::Press(QMouseEvent* event, bool doubleClick) {
  RememberMouse(event, doubleClick);
  if (event->button() != Qt::LeftButton) {
    Feed({ButtonInputKind::PressOther});
    return;
  }
  QPointer<TToolbarButton97> self(this);
  // The press's arrow-part mark is cleared however the press handling ends.
  const AtScopeEnd pressEnd{[&self] {
    if (self) self->Feed({ButtonInputKind::PressEnd});
  }};
  const bool arrow = PressTargetsArrow(behaviour_.props, width(), dropdownArrowWidth_, mousePos_.x());
  Feed({arrow ? ButtonInputKind::PressArrow : ButtonInputKind::PressFace});
}

void TToolbarButton97::mousePressEvent(QMouseEvent* event) { Press(event, false); }

void TToolbarButton97::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second press of a double-click arrives as this event alone: it is handled as a press,
  // and then the double-click itself is reported.
  QPointer<TToolbarButton97> self(this);
  Press(event, true);
  if (self && event->button() == Qt::LeftButton) Feed({ButtonInputKind::DoubleClick});
}

void TToolbarButton97::mouseMoveEvent(QMouseEvent* event) {
  RememberMouse(event);
  mouseButton_ = Qt::NoButton;
  Feed({ButtonInputKind::Move, InFace(mousePos_)});
}

void TToolbarButton97::mouseReleaseEvent(QMouseEvent* event) {
  RememberMouse(event);
  if (event->button() == Qt::LeftButton) {
    Feed({ButtonInputKind::ReleaseLeft, InFace(mousePos_)});
  } else {
    Feed({ButtonInputKind::ReleaseOther, false, event->button() == Qt::RightButton});
  }
}

void TToolbarButton97::paintEvent(QPaintEvent* /*event*/) {
  if (noErasePending_ || erasePending_) {
    noErasePending_ = erasePending_ = false;
    setAttribute(Qt::WA_OpaquePaintEvent, DeclaredOpaque());
  }
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
  // flicker; a transparent flat face draws straight over what the parent painted. The off-screen
  // image is a local: it goes however the drawing ends.
  const bool offScreen = DeclaredOpaque();
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

  const ButtonFace face = FaceOf(behaviour_, noBorder_, highlightWhenDown_);
  const bool flat = Flat();
  const bool shownCombo = ShownCombo(behaviour_.props);
  const int arrowWidth = dropdownArrowWidth_;
  const auto frame = [&](Rect rect, bool pushed) {
    if (flat) {
      canvas.DrawEdge(rect, pushed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    } else {
      canvas.DrawEdge(rect, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_SOFT);
    }
  };

  Rect r{0, 0, width(), height()};
  if (shownCombo) {
    if (face.drawFrame) frame(Rect{width() - arrowWidth - 2, 0, width() - 2, height()}, face.arrowPushed);
    r.right -= arrowWidth + 2;
  }
  if (face.drawFrame) frame(r, face.facePushed);
  if (!noBorder_) {
    const int inset = flat ? 1 : 2;
    r = Rect{r.left + inset, r.top + inset, r.right - inset, r.bottom - inset};
  }
  Point offset{0, 0};
  if (face.facePushed) {
    if (face.checker && r.right > r.left && r.bottom > r.top) {
      // The checker is tiled from the canvas origin: the same part of the tiled image.
      const QImage& tiled = ButtonTracking::Instance().DownPatternTiled(QSize(r.right, r.bottom));
      const QRect part(r.left, r.top, r.right - r.left, r.bottom - r.top);
      canvas.Painter().drawImage(part.topLeft(), tiled, part);
    }
    offset = Point{1, 1};
  }
  const ButtonState state = State();
  renderer_->RenderButton(canvas, r, offset, displayMode_ != TButtonDisplayMode::dmTextOnly,
                          displayMode_ != TButtonDisplayMode::dmGlyphOnly, caption_, wordWrap_,
                          alignment_, layout_, margin_, spacing_,
                          dropdownArrow_ && !DropdownCombo() && HasDropdown(), arrowWidth, state);
  if (shownCombo) renderer_->RenderDropArrow(canvas, width() - arrowWidth - 2, height() / 2 - 1, arrowWidth, state);

  if (offScreen) {
    bufferCanvas.reset();  // finishes the drawing on the buffer
    painter.drawImage(0, 0, buffer);
  }
}

}  // namespace tilvaro
