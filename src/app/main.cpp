// tilvaro-editor: starts the layout editor in the current directory, whose "layouts" folder holds
// the layout files. The program takes no options; --help and --version only print and exit.

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <cstdio>
#include <cstring>

#include "access/AccessibleFactory.h"
#include "editor/EditForm.h"
#include "editor/InputDialog.h"
#include "platform/ErrorBox.h"
#include "platform/ResourceImage.h"
#include "platform/StartupWarmup.h"
#include "platform/SysColors.h"

namespace {

constexpr char kUsage[] =
    "Usage: tilvaro-editor\n"
    "\n"
    "Opens the Tilvaro layout editor. Layouts are read from and saved to the folder\n"
    "\"layouts\" below the current directory, as <name>.set files.\n"
    "\n"
    "  --help      show this text and exit\n"
    "  --version   show the version and exit\n";

constexpr char kVersion[] = "tilvaro-editor 1.00 Beta\n";

// Handles the two informational options before any window system is touched, so that they work
// without a display. Returns the exit code when the program should end here.
int HandleArguments(int argc, char** argv, bool& done) {
  done = false;
  if (argc <= 1) return 0;
  done = true;
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::fputs(kVersion, stdout);
    return 0;
  }
  std::fprintf(stderr, "tilvaro-editor: unknown argument '%s'\n\n%s", argv[1], kUsage);
  return 2;
}

// Qt aborts with a long plugin message when it finds no display; say plainly what is missing.
bool HasDisplay() {
  return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
         !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

}  // namespace

int main(int argc, char** argv) {
  bool done = false;
  const int code = HandleArguments(argc, argv, done);
  if (done) return code;

  if (!HasDisplay()) {
    std::fputs("tilvaro-editor: no display to show the window on (DISPLAY is not set).\n"
               "Start it inside a desktop session, or under 'xvfb-run -a tilvaro-editor'.\n",
               stderr);
    return 1;
  }

  // The font configuration loads while the application connects to the display.
  tilvaro::StartupWarmup warmup;
  QApplication application(argc, argv);
  warmup.Finish();
  // Makes nothing until an assistive tool asks for the window's objects.
  tilvaro::InstallAccessibleFactory();
  // Frames, embossed glyphs and hint colours follow the desktop's palette from here on.
  tilvaro::InstallSysColorMapping();
  application.setWindowIcon(QIcon(QPixmap::fromImage(tilvaro::LoadResourceImage(QStringLiteral(":/images/icon.xpm")))));
  // The application title (tilvaro::kApplicationTitle) captions the error box only; it is not made
  // the display name, which would be appended to the window's own caption.
  QGuiApplication::setDesktopFileName(QStringLiteral("tilvaro-editor"));

  // Shown before its controls are built: the display server maps the window meanwhile.
  tilvaro::TEditForm editForm(nullptr, tilvaro::TEditForm::Start::ShownFirst);
  tilvaro::TeInput eInput(&editForm);
  editForm.SetInputDialog(&eInput);
  return application.exec();
}
