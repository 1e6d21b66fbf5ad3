#include "hints/ApplicationHint.h"

#include "runtime/ControlsRuntime.h"

namespace tilvaro {

ApplicationHint& ApplicationHint::Instance() { return ControlsRuntime::Instance().Slot<ApplicationHint>(); }

void ApplicationHint::SetText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  emit Changed(text_);
}

}  // namespace tilvaro
