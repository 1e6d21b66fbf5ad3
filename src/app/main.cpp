// tilvaro-editor: starts the layout editor in the current directory, whose "layouts" folder holds
// the layout files. The desktop's ways of starting it add to that: --desktop starts it in the
// user's layout home, and a layout file given opens at once (see desktop/LayoutStart.h).

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QPixmap>
#include <QTimer>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <unistd.h>

#include "access/AccessibleFactory.h"
#include "desktop/LayoutHome.h"
#include "desktop/LayoutStart.h"
#include "editor/EditForm.h"
#include "editor/InputDialog.h"
#include "files/FileContents.h"
#include "platform/ErrorBox.h"
#include "platform/ResourceImage.h"
#include "platform/StartupWarmup.h"
#include "platform/SysColors.h"

namespace {

constexpr char kUsage[] =
    "Usage: tilvaro-editor [--desktop] [FILE.set]\n"
    "\n"
    "Opens the Tilvaro layout editor. Layouts are read from and saved to the folder\n"
    "\"layouts\" below the current directory, as <name>.set files.\n"
    "\n"
    "  FILE.set    open this layout at once. A file in a folder named \"layouts\" opens\n"
    "              there, with the folder above as the current directory, and saves back\n"
    "              in place; a file anywhere else is first copied into the user's layouts\n"
    "              folder (as \"Name (2)\" and so on when a different layout has its name).\n"
    "  --desktop   start in the user's layout home, $XDG_DATA_HOME/tilvaro (by default\n"
    "              ~/.local/share/tilvaro), whose layouts folder is made and given the\n"
    "              sample layouts first; further files are ignored. The desktop menu\n"
    "              starts the editor this way.\n"
    "  --          ends the options (for a file whose name starts with \"-\")\n"
    "  --help      show this text and exit\n"
    "  --version   show the version and exit\n";

constexpr char kVersion[] = "tilvaro-editor 1.00 Beta\n";

struct Arguments {
  bool desktop = false;
  std::optional<std::string> file;
};

// Reads the options before any window system is touched, so that --help and --version work without
// a display. Returns the exit code when the program should end here.
std::optional<int> ParseArguments(int argc, char** argv, Arguments& arguments) {
  bool optionsEnded = false;
  int files = 0;
  for (int i = 1; i < argc; ++i) {
    const char* argument = argv[i];
    if (argument[0] == '\0') continue;  // what a launcher leaves of a field code with no file
    if (!optionsEnded && argument[0] == '-' && argument[1] != '\0') {
      if (std::strcmp(argument, "--help") == 0) {
        std::fputs(kUsage, stdout);
        return 0;
      }
      if (std::strcmp(argument, "--version") == 0) {
        std::fputs(kVersion, stdout);
        return 0;
      }
      if (std::strcmp(argument, "--desktop") == 0) {
        arguments.desktop = true;
      } else if (std::strcmp(argument, "--") == 0) {
        optionsEnded = true;
      } else {
        std::fprintf(stderr, "tilvaro-editor: unknown argument '%s'\n\n%s", argument, kUsage);
        return 2;
      }
      continue;
    }
    if (files++ == 0) arguments.file = argument;
  }
  // A desktop may hand over several files; the editor holds one layout, so it takes the first.
  if (files > 1 && !arguments.desktop) {
    std::fprintf(stderr, "tilvaro-editor: only one layout file can be opened at a time\n\n%s", kUsage);
    return 2;
  }
  return std::nullopt;
}

// Qt aborts with a long plugin message when it finds no display; say plainly what is missing.
bool HasDisplay() {
  return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
         !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// The installed sample layouts beside the running program (share/tilvaro/layouts of its prefix).
std::filesystem::path SamplesBesideProgram() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return (program.parent_path() / TILVARO_SAMPLES_FROM_PROGRAM).lexically_normal();
}

// Moves to the folder the editor starts in, before the window takes it as StartDir.
tilvaro::desktop::LayoutStart PrepareStart(const Arguments& arguments) {
  using namespace tilvaro::desktop;
  std::optional<std::filesystem::path> file;
  if (arguments.file) file = std::filesystem::path(*arguments.file);
  const XdgDirs dirs = XdgDirs::FromEnvironment();
  LayoutStart start = PlanLayoutStart(file, arguments.desktop, LayoutHome(dirs), SampleFolders(dirs, SamplesBesideProgram()));
  if (!start.startDir.empty() && ::chdir(start.startDir.c_str()) != 0) {
    // Opening there from here would make a later Save write elsewhere: say so and open nothing.
    start.failure = "Kann nicht in den Ordner " + start.startDir.string() + " wechseln: " + tilvaro::DescribeError(errno);
    start.layoutFile.clear();
  }
  return start;
}

}  // namespace

int main(int argc, char** argv) {
  Arguments arguments;
  if (const std::optional<int> code = ParseArguments(argc, argv, arguments)) return *code;

  if (!HasDisplay()) {
    std::fputs("tilvaro-editor: no display to show the window on (DISPLAY is not set).\n"
               "Start it inside a desktop session, or under 'xvfb-run -a tilvaro-editor'.\n",
               stderr);
    return 1;
  }
  // A plain start keeps the working folder and looks nothing up.
  tilvaro::desktop::LayoutStart start;
  if (arguments.desktop || arguments.file) start = PrepareStart(arguments);

  // The font configuration loads while the application connects to the display and the window is
  // made and shown; the window waits for it before it asks for its first font.
  tilvaro::StartupWarmup warmup;
  QApplication application(argc, argv);
  // Makes nothing until an assistive tool asks for the window's objects.
  tilvaro::InstallAccessibleFactory();
  // Frames, embossed glyphs and hint colours follow the desktop's palette from here on.
  tilvaro::InstallSysColorMapping();
  application.setWindowIcon(QIcon(QPixmap::fromImage(tilvaro::LoadResourceImage(QStringLiteral(":/images/icon.xpm")))));
  // The application title (tilvaro::kApplicationTitle) captions the error box only; it is not made
  // the display name, which would be appended to the window's own caption.
  QGuiApplication::setDesktopFileName(QStringLiteral("tilvaro-editor"));

  // Shown before its controls are built: the display server maps the window meanwhile.
  tilvaro::TEditForm editForm(nullptr, tilvaro::TEditForm::Start::ShownFirst, [&warmup] { warmup.Finish(); });
  tilvaro::TeInput eInput(&editForm);
  editForm.SetInputDialog(&eInput);
  if (!start.failure.empty() || !start.layoutFile.empty()) {
    // Once the event loop runs, so that a message box has the shown window as its owner.
    QTimer::singleShot(0, &editForm, [&editForm, &start] {
      tilvaro::RunGuarded([&] {
        if (!start.failure.empty()) editForm.ShowFailure(QString::fromStdString(start.failure));
        if (!start.layoutFile.empty())
          editForm.OpenLayoutFile(start.layoutFile, QFile::decodeName(QByteArray::fromStdString(start.layoutName)));
      });
    });
  }
  return application.exec();
}
