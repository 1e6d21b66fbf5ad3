#include "button/ButtonBehaviour.h"

namespace tilvaro {

ButtonState ButtonBehaviour::UpOrLatched() const {
  return down_ && props.groupIndex != 0 ? ButtonState::Latched : ButtonState::Up;
}

void ButtonBehaviour::PointerEntered(ButtonEffects& out) {
  if (!props.enabled || pointerOver_) return;
  pointerOver_ = true;
  if (state_ == ButtonState::Up) state_ = ButtonState::Hot;
  // A flat button gains its frame; the frame is drawn over the old image unless the face changes
  // more than that (a latched face loses its checker, a five-image glyph changes its image).
  if (props.flat || props.numGlyphs == 5) {
    out.push_back(down_ || props.numGlyphs == 5 ? ButtonEffect::RedrawErase : ButtonEffect::RedrawNoErase);
  }
  out.push_back(ButtonEffect::RaiseMouseEnter);
}

void ButtonBehaviour::PointerLeft(ButtonEffects& out) {
  // While the left button is held the button keeps the pointer: it stays marked as under it.
  if (!props.enabled || !pointerOver_ || leftButtonHeld_) return;
  pointerOver_ = false;
  out.push_back(ButtonEffect::StopLeaveTracking);
  const ButtonState old = state_;
  if (state_ == ButtonState::Hot || (state_ == ButtonState::Down && !clickInProgress_)) {
    state_ = UpOrLatched();
  }
  if (props.flat || props.numGlyphs == 5 || (old != ButtonState::Hot && state_ != old)) {
    out.push_back(ButtonEffect::RedrawErase);
  }
  out.push_back(ButtonEffect::RaiseMouseExit);
}

void ButtonBehaviour::SetDown(bool value, ButtonEffects& out) {
  if (props.groupIndex == 0) value = false;
  if (value == down_ || (down_ && !props.allowAllUp)) return;
  down_ = value;
  state_ = !props.enabled ? ButtonState::Disabled : value ? ButtonState::Latched : ButtonState::Up;
  out.push_back(ButtonEffect::RedrawErase);
  if (value) out.push_back(ButtonEffect::SyncGroup);
}

void ButtonBehaviour::StopRepeat(ButtonEffects& out) {
  if (!repeatTimer_) return;
  repeatTimer_ = false;
  out.push_back(ButtonEffect::StopRepeat);
}

void ButtonBehaviour::CancelMode(ButtonEffects& out) {
  StopRepeat(out);
  if (leftButtonHeld_) {
    leftButtonHeld_ = false;
    PointerLeft(out);
  }
  out.push_back(ButtonEffect::ReleaseCapture);
}

ButtonEffects ButtonBehaviour::Handle(const ButtonInput& input) {
  ButtonEffects out;
  switch (input.kind) {
    case ButtonInputKind::PointerEntered:
      PointerEntered(out);
      break;

    case ButtonInputKind::PointerLeft:
      PointerLeft(out);
      break;

    case ButtonInputKind::LeaveTimerTick:
      if (!input.inside) PointerLeft(out);
      break;

    case ButtonInputKind::AppDeactivated:
      if (!props.showBorderWhenInactive) PointerLeft(out);
      break;

    case ButtonInputKind::PressFace:
    case ButtonInputKind::PressArrow: {
      if (!props.enabled) {
        out.push_back(ButtonEffect::RaiseMouseDown);
        break;
      }
      PointerEntered(out);
      arrowPartPressed_ = input.kind == ButtonInputKind::PressArrow;
      if (!down_) {
        state_ = ButtonState::Down;
        out.push_back(ButtonEffect::RedrawErase);
      } else if (props.allowAllUp) {
        out.push_back(ButtonEffect::RedrawErase);
      }
      if (!arrowPartPressed_) leftButtonHeld_ = true;
      out.push_back(ButtonEffect::RaiseMouseDown);
      if (arrowPartPressed_) {
        out.push_back(ButtonEffect::Click);  // the drop-down opens on the press
      } else if (props.repeating) {
        out.push_back(ButtonEffect::Click);
        repeatTimer_ = true;
        out.push_back(ButtonEffect::StartRepeat);
      }
      break;
    }

    case ButtonInputKind::DoubleClick:
      // Only a latched button reports the double-click; any other just had two clicks.
      if (props.enabled && down_) out.push_back(ButtonEffect::RaiseDblClick);
      break;

    case ButtonInputKind::PressEnd:
      arrowPartPressed_ = false;
      break;

    case ButtonInputKind::PressOther:
      if (props.enabled) PointerEntered(out);
      out.push_back(ButtonEffect::RaiseMouseDown);
      break;

    case ButtonInputKind::Move: {
      // OnMouseMove comes before the hot tracking of the same move.
      out.push_back(ButtonEffect::RaiseMouseMove);
      out.push_back(ButtonEffect::TrackPointer);
      if (!leftButtonHeld_) break;
      if (input.inside && repeatTimer_) out.push_back(ButtonEffect::ResumeRepeat);
      const ButtonState next = down_ ? ButtonState::Latched
                               : input.inside ? ButtonState::Down
                                              : ButtonState::Up;
      if (next != state_) {
        state_ = next;
        out.push_back(ButtonEffect::RedrawErase);
      }
      break;
    }

    case ButtonInputKind::ReleaseLeft:
      StopRepeat(out);
      out.push_back(ButtonEffect::RaiseMouseUp);
      if (!leftButtonHeld_) break;
      leftButtonHeld_ = false;
      if (input.inside && !props.repeating) {
        out.push_back(ButtonEffect::Click);
      } else {
        PointerLeft(out);
      }
      break;

    case ButtonInputKind::ReleaseOther:
      StopRepeat(out);
      if (props.enabled && input.value) {
        // Undoes the hot mark that the right press set; the middle button leaves it.
        leftButtonHeld_ = false;
        PointerLeft(out);
      }
      out.push_back(ButtonEffect::RaiseMouseUp);
      break;

    case ButtonInputKind::CancelMode:
      CancelMode(out);
      break;

    case ButtonInputKind::SetEnabled:
      if (input.value == props.enabled) break;
      props.enabled = input.value;
      if (!input.value) {
        state_ = ButtonState::Disabled;
        pointerOver_ = false;
        leftButtonHeld_ = false;
        out.push_back(ButtonEffect::StopLeaveTracking);
        CancelMode(out);
      } else if (state_ == ButtonState::Disabled) {
        state_ = UpOrLatched();
      }
      out.push_back(ButtonEffect::RedrawErase);
      break;

    case ButtonInputKind::SetDown:
      SetDown(input.value, out);
      break;

    case ButtonInputKind::GroupMemberLatched:
      if (!down_) break;
      down_ = false;
      // No longer down, so its state is Up as the group's rule says, even while it is disabled.
      state_ = ButtonState::Up;
      out.push_back(ButtonEffect::RedrawErase);
      break;

    case ButtonInputKind::DialogKey:
      if (props.enabled) out.push_back(ButtonEffect::Click);
      break;

    case ButtonInputKind::Accelerator:
      if (props.enabled && !props.glyphOnly) out.push_back(ButtonEffect::Click);
      break;

    case ButtonInputKind::DropdownKey:
      // As a press on the arrow part: the click targets the drop-down (PressEnd clears the mark).
      if (!props.enabled || !props.hasDropdown) break;
      arrowPartPressed_ = true;
      out.push_back(ButtonEffect::Click);
      break;

    case ButtonInputKind::RepeatTick:
      out.push_back(ButtonEffect::RepeatAtInterval);
      if (props.repeating && leftButtonHeld_ && input.inside) {
        out.push_back(ButtonEffect::Click);
      } else {
        out.push_back(ButtonEffect::PauseRepeat);  // a move back onto the face resumes it
      }
      break;

    case ButtonInputKind::ClickBegin:
      // Repeating buttons do not latch, show no click state and hand no modal result.
      if (props.repeating && !arrowPartPressed_) {
        out.push_back(ButtonEffect::RaiseClickOnly);
        break;
      }
      clickInProgress_ = true;
      if (props.groupIndex != 0 && !arrowPartPressed_) SetDown(!down_, out);
      // A click from the keyboard shows the face pressed while its handlers run.
      if (state_ == ButtonState::Up || state_ == ButtonState::Hot) {
        state_ = ButtonState::Down;
        out.push_back(ButtonEffect::RedrawErase);
      }
      PointerLeft(out);
      if (props.hasDropdown && (!props.dropdownCombo || arrowPartPressed_)) {
        out.push_back(ButtonEffect::ShowDropdown);
      } else {
        out.push_back(ButtonEffect::ModalResultClick);
      }
      break;

    case ButtonInputKind::ClickEnd:
      if (!clickInProgress_) break;
      clickInProgress_ = false;
      if (state_ == ButtonState::Down) state_ = ButtonState::Up;
      out.push_back(ButtonEffect::RedrawErase);
      PointerLeft(out);
      break;
  }
  return out;
}

bool PointInFace(const ButtonProps& props, int width, int height, int arrowWidth, int x, int y) {
  const int faceWidth = width - (ShownCombo(props) ? arrowWidth + 2 : 0);
  return x >= 0 && x < faceWidth && y >= 0 && y < height;
}

bool PressTargetsArrow(const ButtonProps& props, int width, int arrowWidth, int x) {
  return props.hasDropdown && (!props.dropdownCombo || x >= width - (arrowWidth + 2));
}

ButtonFace FaceOf(const ButtonBehaviour& behaviour, bool noBorder, bool highlightWhenDown) {
  const ButtonProps& props = behaviour.props;
  const ButtonState state = behaviour.State();
  ButtonFace face;
  face.faceDown = state == ButtonState::Down || state == ButtonState::Latched;
  const bool arrow = behaviour.ArrowPartPressed();
  face.facePushed = face.faceDown && !(ShownCombo(props) && arrow);
  face.arrowPushed = face.faceDown && arrow;
  face.drawFrame = !noBorder && (!props.flat || face.faceDown ||
                                 (behaviour.PointerOver() && state != ButtonState::Disabled));
  face.checker = face.facePushed && state == ButtonState::Latched &&
                 (!props.flat || !behaviour.PointerOver()) && highlightWhenDown;
  return face;
}

}  // namespace tilvaro
