#include "hints/ApplicationHint.h"

namespace tilvaro {

void ApplicationHint::SetText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  emit Changed(text_);
}

}  // namespace tilvaro
