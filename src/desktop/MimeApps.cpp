#include "desktop/MimeApps.h"

#include <algorithm>
#include <set>

#include "desktop/KeyFile.h"

namespace tilvaro::desktop {

namespace {

const std::vector<std::string>& IdsOf(const MimeAppsList::Table& table, const std::string& type) {
  static const std::vector<std::string> kNone;
  const auto found = table.find(type);
  return found == table.end() ? kNone : found->second;
}

// The ids in order of their first mention. Each mention costs a look-up in a sorted set (never a
// search through the ids so far), so a list naming many thousands of ids stays quick.
class OrderedIds {
 public:
  void AddOnce(const std::string& id) {
    if (seen_.insert(id).second) ids_.push_back(id);
  }
  std::vector<std::string> Take() { return std::move(ids_); }

 private:
  std::vector<std::string> ids_;
  std::set<std::string> seen_;
};

MimeAppsList::Table ReadGroup(const KeyFile& keys, const char* group) {
  MimeAppsList::Table table;
  for (const std::string& type : keys.Keys(group)) table[type] = keys.StringList(group, type.c_str());
  return table;
}

// A desktop file id is the file's path below the applications folder with '/' turned into '-'.
void ReadEntries(const std::filesystem::path& folder, std::map<std::string, DesktopEntry>& entries) {
  std::error_code error;
  std::filesystem::recursive_directory_iterator it(
      folder, std::filesystem::directory_options::skip_permission_denied, error);
  for (; !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
    const std::filesystem::path& file = it->path();
    if (file.extension() != ".desktop") continue;
    std::string id = file.lexically_relative(folder).generic_string();
    std::replace(id.begin(), id.end(), '/', '-');
    if (auto entry = ReadDesktopEntry(file)) entries.emplace(std::move(id), std::move(*entry));
  }
}

AssociationFolder ReadFolder(const std::filesystem::path& folder, const std::vector<std::string>& desktops,
                             bool holdsEntries) {
  AssociationFolder result;
  for (const std::string& desktop : desktops) {
    result.lists.push_back(ReadMimeAppsList(folder / (desktop + "-mimeapps.list")));
  }
  result.lists.push_back(ReadMimeAppsList(folder / "mimeapps.list"));
  if (holdsEntries) ReadEntries(folder, result.entries);
  return result;
}

}  // namespace

MimeAppsList ReadMimeAppsList(const std::filesystem::path& file) {
  const KeyFile keys = KeyFile::Load(file);
  MimeAppsList list;
  list.defaults = ReadGroup(keys, "Default Applications");
  list.added = ReadGroup(keys, "Added Associations");
  list.removed = ReadGroup(keys, "Removed Associations");
  return list;
}

std::vector<AssociationFolder> ReadAssociationFolders(const XdgDirs& dirs) {
  std::vector<AssociationFolder> folders;
  const auto add = [&](const std::filesystem::path& folder, bool holdsEntries) {
    if (!folder.empty()) folders.push_back(ReadFolder(folder, dirs.desktops, holdsEntries));
  };
  add(dirs.configHome, false);
  for (const auto& folder : dirs.configDirs) add(folder, false);
  if (!dirs.dataHome.empty()) add(dirs.dataHome / "applications", true);
  for (const auto& folder : dirs.dataDirs) add(folder / "applications", true);
  return folders;
}

std::vector<std::string> ApplicationsFor(const std::vector<AssociationFolder>& folders,
                                         const std::string& type) {
  OrderedIds ids;
  for (const AssociationFolder& folder : folders) {
    for (const MimeAppsList& list : folder.lists) {
      for (const std::string& id : IdsOf(list.defaults, type)) ids.AddOnce(id);
    }
  }
  std::set<std::string> blocked;
  for (const AssociationFolder& folder : folders) {
    for (const MimeAppsList& list : folder.lists) {
      for (const std::string& id : IdsOf(list.added, type)) {
        if (!blocked.contains(id)) ids.AddOnce(id);
      }
      for (const std::string& id : IdsOf(list.removed, type)) blocked.insert(id);
    }
    for (const auto& [id, entry] : folder.entries) {
      const auto& types = entry.mimeTypes;
      if (!blocked.contains(id) && std::find(types.begin(), types.end(), type) != types.end()) ids.AddOnce(id);
    }
    for (const auto& [id, entry] : folder.entries) blocked.insert(id);
  }
  return ids.Take();
}

const DesktopEntry* InstalledEntry(const std::vector<AssociationFolder>& folders, const std::string& id) {
  for (const AssociationFolder& folder : folders) {
    const auto found = folder.entries.find(id);
    if (found != folder.entries.end()) return &found->second;
  }
  return nullptr;
}

}  // namespace tilvaro::desktop
