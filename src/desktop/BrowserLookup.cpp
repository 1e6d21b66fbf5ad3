#include "desktop/BrowserLookup.h"

#include <algorithm>

#include "desktop/ExecLine.h"
#include "desktop/MimeApps.h"
#include "desktop/MimeType.h"

namespace tilvaro::desktop {

std::optional<Browser> FindBrowser(const XdgDirs& dirs) {
  const std::vector<AssociationFolder> folders = ReadAssociationFolders(dirs);
  std::vector<std::string> typesAsked;
  for (const std::string_view ending : kWebPageFileTypes) {
    const auto type = MimeTypeOfFileName("index" + std::string(ending));
    if (!type || std::find(typesAsked.begin(), typesAsked.end(), *type) != typesAsked.end()) continue;
    typesAsked.push_back(*type);
    for (const std::string& id : ApplicationsFor(folders, *type)) {
      const DesktopEntry* entry = InstalledEntry(folders, id);
      if (entry == nullptr) continue;
      if (auto program = StartableProgram(*entry, dirs.programSearchPath)) return Browser{*entry, *program};
    }
  }
  return std::nullopt;
}

std::string FindBrowserCommand(const XdgDirs& dirs) {
  const auto browser = FindBrowser(dirs);
  return browser ? browser->entry.exec : std::string();
}

BrowserCommand SplitBrowserCommand(const Browser& browser, std::string_view address) {
  const DesktopEntry& entry = browser.entry;
  const std::string location = entry.file.string();
  // The browser was found startable, so its line splits; the program's word holds no field code,
  // so the address cannot change which program starts.
  auto arguments = SplitExecLine(entry.exec, ExecFields{address, entry.name, entry.icon, location});
  BrowserCommand command{browser.program, {}};
  if (arguments) command.arguments.assign(arguments->begin() + 1, arguments->end());
  return command;
}

std::optional<BrowserCommand> SplitBrowserCommand(const XdgDirs& dirs, std::string_view address) {
  const auto browser = FindBrowser(dirs);
  if (!browser) return std::nullopt;
  return SplitBrowserCommand(*browser, address);
}

}  // namespace tilvaro::desktop
