#include "files/WriteError.h"

#include <cctype>

namespace tilvaro {
namespace {

std::string Message(const std::filesystem::path& fileName, std::string reason) {
  std::string message = "Kann nicht nach " + fileName.string() + " schreiben";
  if (reason.empty()) return message;
  reason[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(reason[0])));
  return message + "\n" + reason;
}

}  // namespace

WriteError::WriteError(const std::filesystem::path& fileName, const std::string& reason)
    : std::runtime_error(Message(fileName, reason)), fileName_(fileName) {}

WriteError WriteErrorAt(const std::filesystem::path& fileName, const std::string& reason) {
  std::error_code ec;
  const std::filesystem::path full = fileName.is_absolute() ? fileName : std::filesystem::absolute(fileName, ec);
  return WriteError(ec ? fileName : full, reason);
}

}  // namespace tilvaro
