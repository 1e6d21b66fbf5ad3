#pragma once
// A read-only view of one key file (the format of desktop entries and mimeapps.list) through
// GLib's key-file parser: groups, keys, string escapes, lists and translations.

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

struct _GKeyFile;

namespace tilvaro::desktop {

// What is read of one file at most. Desktop entries and mimeapps.list files are a few KB; a file
// beyond this is no list a desktop wrote, and reading it whole would only let it slow every look-up.
inline constexpr std::size_t kMaxKeyFileBytes = std::size_t{1} << 20;

class KeyFile {
 public:
  // The file's contents; a missing, unreadable or malformed file reads as an empty one, and so does
  // anything but a regular file: it is opened without blocking, so a FIFO or device in its place
  // cannot hold the caller up. Of a file longer than kMaxKeyFileBytes, the lines that end within
  // that many bytes are read.
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
