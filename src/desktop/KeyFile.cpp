#include "desktop/KeyFile.h"

#include <glib.h>

#include "files/FileContents.h"

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
  // The read opens without blocking and takes regular files only.
  FileReadResult read = ReadFilePrefix(file, kMaxKeyFileBytes);
  if (read.status != FileReadStatus::Read) return {};
  if (read.cut) {
    const std::size_t lastEnd = read.bytes.rfind('\n');
    read.bytes.resize(lastEnd == std::string::npos ? 0 : lastEnd + 1);
  }
  return std::move(read.bytes);
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
