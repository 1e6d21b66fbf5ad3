#include "desktop/XdgDirs.h"

#include <cstdlib>
#include <string_view>

namespace tilvaro::desktop {

namespace {

std::vector<std::string> SplitList(std::string_view text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find(separator, start), text.size());
    if (end > start) parts.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

std::vector<std::filesystem::path> AbsoluteFolders(const char* value, const char* fallback) {
  std::vector<std::filesystem::path> folders;
  const char* text = (value != nullptr && *value != '\0') ? value : fallback;
  for (const std::string& part : SplitList(text, ':')) {
    if (std::filesystem::path(part).is_absolute()) folders.emplace_back(part);
  }
  return folders;
}

std::filesystem::path HomeFolder(const char* value, const char* home, const char* belowHome) {
  if (value != nullptr && std::filesystem::path(value).is_absolute()) return value;
  if (home != nullptr && std::filesystem::path(home).is_absolute()) return std::filesystem::path(home) / belowHome;
  return {};
}

}  // namespace

XdgDirs XdgDirs::FromEnvironment(const Lookup& lookup) {
  XdgDirs dirs;
  const char* home = lookup("HOME");
  dirs.configHome = HomeFolder(lookup("XDG_CONFIG_HOME"), home, ".config");
  dirs.dataHome = HomeFolder(lookup("XDG_DATA_HOME"), home, ".local/share");
  dirs.configDirs = AbsoluteFolders(lookup("XDG_CONFIG_DIRS"), "/etc/xdg");
  dirs.dataDirs = AbsoluteFolders(lookup("XDG_DATA_DIRS"), "/usr/local/share:/usr/share");
  if (const char* current = lookup("XDG_CURRENT_DESKTOP")) {
    for (std::string name : SplitList(current, ':')) {
      for (char& c : name) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
      }
      dirs.desktops.push_back(std::move(name));
    }
  }
  // The search path of execvp when PATH is not set.
  dirs.programSearchPath = AbsoluteFolders(lookup("PATH"), "/bin:/usr/bin");
  return dirs;
}

}  // namespace tilvaro::desktop
