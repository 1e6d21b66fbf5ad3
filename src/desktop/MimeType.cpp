#include "desktop/MimeType.h"

#include <dlfcn.h>
#include <glib.h>

namespace tilvaro::desktop {

namespace {

// The two content-type calls of GIO, found when the first look-up needs them. GIO is not linked:
// it would bring half a dozen libraries and their initialisers into every start of the program,
// for a look-up that only a click on a web link makes.
struct ContentTypeCalls {
  gchar* (*guess)(const gchar* fileName, const guchar* data, gsize size, gboolean* uncertain) = nullptr;
  gchar* (*mimeType)(const gchar* type) = nullptr;
};

const ContentTypeCalls& Calls() {
  static const ContentTypeCalls calls = [] {
    ContentTypeCalls found;
    // Stays loaded for the rest of the process, as a linked library would.
    void* gio = dlopen("libgio-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    if (gio == nullptr) return found;
    found.guess = reinterpret_cast<decltype(found.guess)>(dlsym(gio, "g_content_type_guess"));
    found.mimeType = reinterpret_cast<decltype(found.mimeType)>(dlsym(gio, "g_content_type_get_mime_type"));
    if (found.guess == nullptr || found.mimeType == nullptr) found = {};
    return found;
  }();
  return calls;
}

}  // namespace

std::optional<std::string> MimeTypeOfFileName(std::string_view fileName) {
  const ContentTypeCalls& calls = Calls();
  if (calls.guess == nullptr) return std::nullopt;  // no GIO on this system: no type known
  const std::string name(fileName);
  gboolean uncertain = FALSE;
  // With no data to look at, the database answers from the name's patterns alone; a name that no
  // pattern matches gives the generic type for unknown data.
  gchar* guessed = calls.guess(name.c_str(), nullptr, 0, &uncertain);
  gchar* type = calls.mimeType(guessed);
  g_free(guessed);
  std::optional<std::string> result;
  if (type != nullptr && g_strcmp0(type, "application/octet-stream") != 0) result = type;
  g_free(type);
  return result;
}

}  // namespace tilvaro::desktop
