#pragma once
// StartupWarmup: work of the program's start done on a thread of its own while the QApplication
// is being constructed on the main thread.
//
//   - The font configuration: the first text a program draws makes the font library read its
//     configuration files and font caches, a large share of the editor's start-up. The loaded
//     configuration becomes the library's current one, which Qt then finds in place. (Nothing is
//     done here where fontconfig was not there at build time.)
//   - Qt's font database: it is filled with the installed fonts on the first font that is
//     matched, which is the first text the window measures. A pre-routine of the QApplication
//     reports when its platform integration is up (inside the QApplication's constructor); the
//     thread then fills the database while the constructor goes on. The database guards itself
//     with a mutex, so a font asked for meanwhile only waits.
//
// At most one StartupWarmup exists at a time. Make it before the QApplication and call Finish()
// once the QApplication is constructed, before the first font is asked for.

#include <condition_variable>
#include <mutex>
#include <thread>

namespace tilvaro {

class StartupWarmup {
 public:
  StartupWarmup();
  ~StartupWarmup();
  StartupWarmup(const StartupWarmup&) = delete;
  StartupWarmup& operator=(const StartupWarmup&) = delete;

  // Waits until the work is done (at once when it is). The font database is filled by then if the
  // platform came up before this call; otherwise that step is left out.
  void Finish();

 private:
  enum class Platform { Pending, Ready, Absent };
  static void PlatformReady();  // the QApplication's pre-routine
  void Run();
  void Signal(Platform platform);

  std::mutex mutex_;
  std::condition_variable changed_;
  Platform platform_ = Platform::Pending;
  std::thread thread_;
};

}  // namespace tilvaro
