#pragma once

#include <filesystem>
#include <stdexcept>

namespace tilvaro {

// Raised when a profile or layout file cannot be written. what() is
// "Kann nicht nach <file name> schreiben" (UTF-8).
class WriteError : public std::runtime_error {
 public:
  explicit WriteError(const std::filesystem::path& fileName);

  const std::filesystem::path& FileName() const noexcept { return fileName_; }

 private:
  std::filesystem::path fileName_;
};

}  // namespace tilvaro
