#pragma once
// A read-only view of one key file (the format of desktop entries and mimeapps.list) through
// GLib's key-file parser: groups, keys, string escapes, lists and translations.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

struct _GKeyFile;

namespace tilvaro::desktop {

class KeyFile {
 public:
  // The file's contents; a missing, unreadable or malformed file reads as an empty one.
  static KeyFile Load(const std::filesystem::path& file);

  bool HasGroup(const char* group) const;
  std::vector<std::string> Keys(const char* group) const;
  // Missing keys read as empty (or false).
  std::string String(const char* group, const char* key) const;
  std::string LocaleString(const char* group, const char* key) const;
  bool Boolean(const char* group, const char* key) const;
  std::vector<std::string> StringList(const char* group, const char* key) const;

 private:
  struct Free {
    void operator()(_GKeyFile* keys) const;
  };
  explicit KeyFile(_GKeyFile* keys) : keys_(keys) {}
  std::unique_ptr<_GKeyFile, Free> keys_;
};

}  // namespace tilvaro::desktop
