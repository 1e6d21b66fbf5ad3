#include "desktop/MimeType.h"

#include <gio/gio.h>

namespace tilvaro::desktop {

std::optional<std::string> MimeTypeOfFileName(std::string_view fileName) {
  const std::string name(fileName);
  gboolean uncertain = FALSE;
  // With no data to look at, the database answers from the name's patterns alone; a name that no
  // pattern matches gives the generic type for unknown data.
  gchar* guessed = g_content_type_guess(name.c_str(), nullptr, 0, &uncertain);
  gchar* type = g_content_type_get_mime_type(guessed);
  g_free(guessed);
  std::optional<std::string> result;
  if (type != nullptr && g_strcmp0(type, "application/octet-stream") != 0) result = type;
  g_free(type);
  return result;
}

}  // namespace tilvaro::desktop
