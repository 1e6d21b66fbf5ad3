#include "desktop/BrowserLookup.h"

#include <algorithm>

#include "desktop/ExecLine.h"
#include "desktop/MimeApps.h"
#include "desktop/MimeType.h"

namespace tilvaro::desktop {

namespace {

// The first application for `type` that can be started here. The program is started detached, with
// no terminal around it, so an entry that needs one is passed over.
std::optional<Application> FirstStartable(const std::vector<AssociationFolder>& folders, const std::string& type,
                                          const XdgDirs& dirs) {
  for (const std::string& id : ApplicationsFor(folders, type)) {
    const DesktopEntry* entry = InstalledEntry(folders, id);
    if (entry == nullptr || entry->terminal) continue;
    if (auto program = StartableProgram(*entry, dirs.programSearchPath)) return Application{*entry, *program};
  }
  return std::nullopt;
}

std::optional<Application> FindBrowser(const std::vector<AssociationFolder>& folders, const XdgDirs& dirs) {
  std::vector<std::string> typesAsked;
  for (const std::string_view ending : kWebPageFileTypes) {
    const auto type = MimeTypeOfFileName("index" + std::string(ending));
    if (!type || std::find(typesAsked.begin(), typesAsked.end(), *type) != typesAsked.end()) continue;
    typesAsked.push_back(*type);
    if (auto browser = FirstStartable(folders, *type, dirs)) return browser;
  }
  return std::nullopt;
}

}  // namespace

std::optional<Application> FindBrowser(const XdgDirs& dirs) { return FindBrowser(ReadAssociationFolders(dirs), dirs); }

std::string FindBrowserCommand(const XdgDirs& dirs) {
  const auto browser = FindBrowser(dirs);
  return browser ? browser->entry.exec : std::string();
}

BrowserCommand SplitBrowserCommand(const Application& application, std::string_view address) {
  const DesktopEntry& entry = application.entry;
  const std::string location = entry.file.string();
  // The application was found startable, so its line splits; the program's word holds no field
  // code, so the address cannot change which program starts.
  auto arguments = SplitExecLine(entry.exec, ExecFields{address, entry.name, entry.icon, location});
  BrowserCommand command{application.program, {}};
  if (arguments) command.arguments.assign(arguments->begin() + 1, arguments->end());
  return command;
}

std::optional<BrowserCommand> SplitBrowserCommand(const XdgDirs& dirs, std::string_view address) {
  const auto browser = FindBrowser(dirs);
  if (!browser) return std::nullopt;
  return SplitBrowserCommand(*browser, address);
}

std::optional<BrowserCommand> SplitMailCommand(const XdgDirs& dirs, std::string_view link) {
  const std::vector<AssociationFolder> folders = ReadAssociationFolders(dirs);
  auto application = FirstStartable(folders, std::string(kMailtoHandlerType), dirs);
  if (!application) application = FindBrowser(folders, dirs);
  if (!application) return std::nullopt;
  return SplitBrowserCommand(*application, link);
}

}  // namespace tilvaro::desktop
