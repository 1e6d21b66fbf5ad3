#pragma once
// HintedControl: a control that decides about its own hint, whether it shows one and with which
// text, instead of showing its tool tip text. The toolbar button is one.

#include <QString>

namespace tilvaro {

class HintedControl {
 public:
  // Whether the control shows a hint itself (the hint may still be empty). False: the question
  // goes on to its parent.
  virtual bool ShowsOwnHint() const = 0;
  virtual QString OwnHintText() const = 0;

 protected:
  ~HintedControl() = default;
};

}  // namespace tilvaro
