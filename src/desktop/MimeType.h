#pragma once
// The MIME type of a file name by its ending, from the shared MIME database.

#include <optional>
#include <string>
#include <string_view>

namespace tilvaro::desktop {

// The type the database gives a file called `fileName` (matched by name only, case as the
// database's patterns allow); empty when the database knows no type for it.
std::optional<std::string> MimeTypeOfFileName(std::string_view fileName);

}  // namespace tilvaro::desktop
