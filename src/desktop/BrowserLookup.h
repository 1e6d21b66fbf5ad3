#pragma once
// The user's web browser: the application the desktop has chosen to open web-page files, found
// anew at every call, and the command that opens an address in it.

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

struct Browser {
  DesktopEntry entry;
  std::filesystem::path program;  // the installed program its Exec line names
};

// For each file type in order: its MIME type, then the applications for that type best first; the
// first application whose entry is installed and startable is the browser. Empty when none is.
std::optional<Browser> FindBrowser(const XdgDirs& dirs);

// The browser's Exec line, or empty text when there is no browser.
std::string FindBrowserCommand(const XdgDirs& dirs);

struct BrowserCommand {
  std::filesystem::path program;
  std::vector<std::string> arguments;  // `address` is one of them, exactly as given
};

// The command that opens `address` in the browser; empty when there is no browser.
std::optional<BrowserCommand> SplitBrowserCommand(const XdgDirs& dirs, std::string_view address);
BrowserCommand SplitBrowserCommand(const Browser& browser, std::string_view address);

}  // namespace tilvaro::desktop
