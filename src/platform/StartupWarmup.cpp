#include "platform/StartupWarmup.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <atomic>

#ifdef TILVARO_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace tilvaro {

namespace {

// The warm-up that the QApplication's pre-routine reports to.
std::atomic<StartupWarmup*> current{nullptr};

}  // namespace

StartupWarmup::StartupWarmup() {
  current.store(this);
  // Runs inside the QApplication's constructor, once the platform integration is there (and at
  // once when the application already exists). Added once: the list keeps its routines.
  static std::once_flag added;
  std::call_once(added, [] { qAddPreRoutine(&StartupWarmup::PlatformReady); });
  if (QCoreApplication::instance() != nullptr) PlatformReady();
  thread_ = std::thread([this] { Run(); });
}

StartupWarmup::~StartupWarmup() {
  Finish();
  current.store(nullptr);
}

void StartupWarmup::PlatformReady() {
  StartupWarmup* warmup = current.load();
  if (warmup == nullptr) return;
  // A QCoreApplication, or a platform that did not come up, has no font database to fill.
  const bool gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr &&
                   !QGuiApplication::platformName().isEmpty();
  warmup->Signal(gui ? Platform::Ready : Platform::Absent);
}

void StartupWarmup::Signal(Platform platform) {
  {
    const std::lock_guard lock(mutex_);
    if (platform_ != Platform::Pending) return;
    platform_ = platform;
  }
  changed_.notify_all();
}

void StartupWarmup::Run() {
#ifdef TILVARO_HAVE_FONTCONFIG
  FcInit();
#endif
  {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return platform_ != Platform::Pending; });
    if (platform_ != Platform::Ready) return;
  }
  (void)QFontDatabase::families();
}

void StartupWarmup::Finish() {
  Signal(Platform::Absent);  // no platform by now: the thread must not wait for one
  if (thread_.joinable()) thread_.join();
}

}  // namespace tilvaro
