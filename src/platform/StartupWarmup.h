#pragma once
// StartupWarmup: work of the program's start that needs no display, done on a thread of its own
// while the QApplication connects to the display (which mostly waits for the X server).
//
//   - The font configuration: the first text a program draws makes the font library read its
//     configuration files and font caches, a large share of the editor's start-up. The loaded
//     configuration becomes the library's current one, which Qt then finds in place. (Nothing is
//     done here where fontconfig was not there at build time.)
//   - The program's images in a resource folder, decoded ahead for LoadResourceImage.
//
// Finish() waits for the thread; call it before the first font or image is asked for.

#include <QString>
#include <thread>

namespace tilvaro {

class StartupWarmup {
 public:
  // `imageFolder` is a resource folder such as ":/images" whose images are read ahead; empty:
  // none.
  explicit StartupWarmup(const QString& imageFolder = {});
  ~StartupWarmup();
  StartupWarmup(const StartupWarmup&) = delete;
  StartupWarmup& operator=(const StartupWarmup&) = delete;

  // Waits until the work is done (at once when it is).
  void Finish();

 private:
  std::thread thread_;
};

}  // namespace tilvaro
