#include "desktop/KeyFile.h"

#include <fcntl.h>
#include <glib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tilvaro::desktop {

namespace {

std::string TakeString(gchar* text) {
  if (text == nullptr) return {};
  std::string result(text);
  g_free(text);
  return result;
}

// At most kMaxKeyFileBytes of a regular file, cut after its last whole line when the file is longer;
// empty for anything else.
std::string ReadCapped(const std::filesystem::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return {};
  std::string bytes;
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
    // One byte past the cap tells a file that is longer from one that fills it exactly.
    bytes.resize(kMaxKeyFileBytes + 1);
    std::size_t filled = 0;
    while (filled < bytes.size()) {
      const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) break;
      filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    if (filled > kMaxKeyFileBytes) {
      const std::size_t lastEnd = bytes.rfind('\n', kMaxKeyFileBytes - 1);
      bytes.resize(lastEnd == std::string::npos ? 0 : lastEnd + 1);
    }
  }
  ::close(fd);
  return bytes;
}

}  // namespace

void KeyFile::Free::operator()(_GKeyFile* keys) const { g_key_file_free(keys); }

KeyFile KeyFile::Load(const std::filesystem::path& file) {
  GKeyFile* keys = g_key_file_new();
  const std::string bytes = ReadCapped(file);
  if (!g_key_file_load_from_data(keys, bytes.data(), bytes.size(), G_KEY_FILE_NONE, nullptr)) {
    // A failed load may leave part of the file behind; start from an empty one.
    g_key_file_free(keys);
    keys = g_key_file_new();
  }
  return KeyFile(keys);
}

bool KeyFile::HasGroup(const char* group) const { return g_key_file_has_group(keys_.get(), group); }

std::vector<std::string> KeyFile::Keys(const char* group) const {
  std::vector<std::string> result;
  gchar** keys = g_key_file_get_keys(keys_.get(), group, nullptr, nullptr);
  for (gchar** key = keys; key != nullptr && *key != nullptr; ++key) result.emplace_back(*key);
  g_strfreev(keys);
  return result;
}

std::string KeyFile::String(const char* group, const char* key) const {
  return TakeString(g_key_file_get_string(keys_.get(), group, key, nullptr));
}

std::string KeyFile::LocaleString(const char* group, const char* key) const {
  return TakeString(g_key_file_get_locale_string(keys_.get(), group, key, nullptr, nullptr));
}

bool KeyFile::Boolean(const char* group, const char* key) const {
  return g_key_file_get_boolean(keys_.get(), group, key, nullptr) != FALSE;
}

std::vector<std::string> KeyFile::StringList(const char* group, const char* key) const {
  std::vector<std::string> result;
  gchar** items = g_key_file_get_string_list(keys_.get(), group, key, nullptr, nullptr);
  for (gchar** item = items; item != nullptr && *item != nullptr; ++item) {
    if (**item != '\0') result.emplace_back(*item);
  }
  g_strfreev(items);
  return result;
}

}  // namespace tilvaro::desktop
