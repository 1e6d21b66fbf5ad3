#pragma once
// The user's web browser and mail program: the applications the desktop has chosen to open
// web-page files and "mailto:" links, found anew at every call, and the command that opens an
// address in them.

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "desktop/DesktopEntry.h"
#include "desktop/XdgDirs.h"

namespace tilvaro::desktop {

// The web-page file types asked about, in this order.
inline constexpr std::array<std::string_view, 4> kWebPageFileTypes = {".HTM", ".HTML", ".SHTML", ".SHTM"};

// The type under which desktops register the program that writes new mail.
inline constexpr std::string_view kMailtoHandlerType = "x-scheme-handler/mailto";

struct Application {
  DesktopEntry entry;
  std::filesystem::path program;  // the installed program its Exec line names
};

// For each file type in order: its MIME type, then the applications for that type best first; the
// first application whose entry is installed and startable without a terminal is the browser.
// Empty when none is.
std::optional<Application> FindBrowser(const XdgDirs& dirs);

// The browser's Exec line, or empty text when there is no browser.
std::string FindBrowserCommand(const XdgDirs& dirs);

struct BrowserCommand {
  std::filesystem::path program;
  std::vector<std::string> arguments;  // `address` is one of them, exactly as given
};

// The command that opens `address` in the browser; empty when there is no browser.
std::optional<BrowserCommand> SplitBrowserCommand(const XdgDirs& dirs, std::string_view address);
BrowserCommand SplitBrowserCommand(const Application& application, std::string_view address);

// The command that opens the "mailto:" link `link`: in the first startable application registered
// for kMailtoHandlerType (by the rules FindBrowser applies) when there is one, else in the browser;
// empty when there is neither.
std::optional<BrowserCommand> SplitMailCommand(const XdgDirs& dirs, std::string_view link);

}  // namespace tilvaro::desktop
