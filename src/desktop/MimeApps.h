#pragma once
// Which applications open a MIME type, by the XDG MIME Applications rules, read from the files each
// time it is asked (a browser chosen while the program runs is used at the next look-up).
//
// The folders, most important first, are XDG_CONFIG_HOME, each of XDG_CONFIG_DIRS, then
// XDG_DATA_HOME/applications and each XDG_DATA_DIRS/applications. In each, the desktop-specific
// lists ("<desktop>-mimeapps.list" for each name of XDG_CURRENT_DESKTOP) come before the plain
// "mimeapps.list"; the applications folders also hold desktop entries.
//
// GIO's own look-up is not used for this: it keeps the associations in a cache that file monitors
// refresh on a worker thread, so a look-up made just after the user chose another browser can
// still give the old one. GLib reads the files (KeyFile); the rules are applied here on what was
// read, and the desktop entries themselves are read rather than their mimeinfo.cache summary,
// which is only as fresh as its last rebuild.

#include <map>
#include <string>
#include <vector>

#include "desktop/DesktopEntry.h"
#include "desktop/XdgDirs.h"

namespace tilvaro::desktop {

// One mimeapps.list: for each MIME type, lists of desktop file ids.
struct MimeAppsList {
  using Table = std::map<std::string, std::vector<std::string>>;
  Table defaults;  // [Default Applications]
  Table added;     // [Added Associations]
  Table removed;   // [Removed Associations]
};

// One folder in precedence order: its lists and the desktop entries installed below it, by id.
struct AssociationFolder {
  std::vector<MimeAppsList> lists;
  std::map<std::string, DesktopEntry> entries;
};

// The ids of the applications for `type`, best first and each once: the defaults of every list in
// folder order, then the associations: each folder's added associations that no more important
// list removed, then its own entries that name the type and that no more important folder removed
// or shadowed (an entry hides the entries of the same id in the folders after it).
std::vector<std::string> ApplicationsFor(const std::vector<AssociationFolder>& folders,
                                         const std::string& type);

// The installed entry of an id: the one in the most important folder that has it.
const DesktopEntry* InstalledEntry(const std::vector<AssociationFolder>& folders, const std::string& id);

// The lists and entries of the folders `dirs` names, read now. Missing files read as empty.
std::vector<AssociationFolder> ReadAssociationFolders(const XdgDirs& dirs);

MimeAppsList ReadMimeAppsList(const std::filesystem::path& file);

}  // namespace tilvaro::desktop
