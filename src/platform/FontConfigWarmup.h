#pragma once
// FontConfigWarmup: loads the font configuration on a thread of its own while the application
// connects to the display.
//
// The first text a program draws makes the font library read its configuration files and font
// caches, a large share of the editor's start-up. That work needs nothing from the windowing
// system, so it can run while the QApplication is being made, which mostly waits for the X
// server; Finish() waits for it before the first font is asked for. Where the font library is
// not used (no fontconfig at build time) this does nothing.

#include <thread>

namespace tilvaro {

class FontConfigWarmup {
 public:
  FontConfigWarmup();
  ~FontConfigWarmup();
  FontConfigWarmup(const FontConfigWarmup&) = delete;
  FontConfigWarmup& operator=(const FontConfigWarmup&) = delete;

  // Waits until the configuration is loaded (at once when it is or when nothing was started).
  void Finish();

 private:
  std::thread thread_;
};

}  // namespace tilvaro
