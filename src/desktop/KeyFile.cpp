#include "desktop/KeyFile.h"

#include <glib.h>

namespace tilvaro::desktop {

namespace {

std::string TakeString(gchar* text) {
  if (text == nullptr) return {};
  std::string result(text);
  g_free(text);
  return result;
}

}  // namespace

void KeyFile::Free::operator()(_GKeyFile* keys) const { g_key_file_free(keys); }

KeyFile KeyFile::Load(const std::filesystem::path& file) {
  GKeyFile* keys = g_key_file_new();
  if (!g_key_file_load_from_file(keys, file.c_str(), G_KEY_FILE_NONE, nullptr)) {
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
