#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace tilvaro {

// Raised when a profile or layout file cannot be written. The first line of what() is
// "Kann nicht nach <file name> schreiben" (UTF-8); when the reason is known (a full disk, an I/O
// error, a missing permission, ...) it follows on a second line, starting with a capital letter.
class WriteError : public std::runtime_error {
 public:
  explicit WriteError(const std::filesystem::path& fileName, const std::string& reason = {});

  const std::filesystem::path& FileName() const noexcept { return fileName_; }

 private:
  std::filesystem::path fileName_;
};

// A WriteError naming the file by its absolute path, so that the message says where the write went
// wherever the program was started; by the path as given when the current folder is unknown.
WriteError WriteErrorAt(const std::filesystem::path& fileName, const std::string& reason);

}  // namespace tilvaro
