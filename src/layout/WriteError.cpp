#include "layout/WriteError.h"

namespace tilvaro {

WriteError::WriteError(const std::filesystem::path& fileName)
    : std::runtime_error("Kann nicht nach " + fileName.string() + " schreiben"), fileName_(fileName) {}

}  // namespace tilvaro
