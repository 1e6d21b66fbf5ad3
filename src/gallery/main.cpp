// tilvaro-gallery: one window with every mode of the toolbar-style controls, to try them by hand
// and to drive them from end-to-end tests. With --events it reports the controls' places and the
// events they raise on standard output (see gallery/EventLog.h).

#include <QApplication>
#include <QEvent>
#include <QWindow>
#include <cstdio>
#include <cstring>
#include <functional>
#include <iostream>

#include "access/AccessibleFactory.h"
#include "gallery/EventLog.h"
#include "gallery/GalleryWindow.h"
#include "platform/SysColors.h"

namespace {

constexpr char kUsage[] =
    "Usage: tilvaro-gallery [--events]\n"
    "\n"
    "Shows the toolbar-style controls of the Tilvaro editor in every mode.\n"
    "\n"
    "  --events    write each control's place, then 'ready', then every event the\n"
    "              controls raise, one line each, to standard output\n"
    "  --help      show this text and exit\n";

// Calls `onExposed` once, when the window is first on the screen.
class FirstExposure : public QObject {
 public:
  FirstExposure(QWindow& window, std::function<void()> onExposed)
      : QObject(&window), window_(window), onExposed_(std::move(onExposed)) {
    window.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Expose && window_.isExposed() && onExposed_) {
      auto call = std::move(onExposed_);
      onExposed_ = nullptr;
      call();
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QWindow& window_;
  std::function<void()> onExposed_;
};

}  // namespace

int main(int argc, char** argv) {
  bool events = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--events") == 0) {
      events = true;
    } else if (std::strcmp(argv[i], "--help") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    } else {
      std::fprintf(stderr, "tilvaro-gallery: unknown argument '%s'\n\n%s", argv[i], kUsage);
      return 2;
    }
  }
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
      qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    std::fputs("tilvaro-gallery: no display to show the window on (DISPLAY is not set).\n", stderr);
    return 1;
  }

  tilvaro::TEventLog log(events ? &std::cout : nullptr);
  QApplication application(argc, argv);
  tilvaro::InstallAccessibleFactory();
  tilvaro::InstallSysColorMapping();

  tilvaro::TGalleryWindow window(log);
  window.show();
  new FirstExposure(*window.windowHandle(), [&window] { window.LogGeometry(); });
  return application.exec();
}
