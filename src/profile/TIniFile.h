#pragma once

#include <filesystem>

#include "profile/TypedProfile.h"

namespace tilvaro {

// Typed access to one profile file. The object remembers only the file's name; every read and every
// write is a separate, complete call on the profile store (ProfileStore.h): a read sees the file as
// it is at that moment, and a write is in the file when it returns (or raises WriteError naming
// FileName()). Constructing opens, creates and checks nothing.
class TIniFile : public TypedProfile {
 public:
  explicit TIniFile(std::filesystem::path fileName) : fileName_(std::move(fileName)) {}

  const std::filesystem::path& FileName() const { return fileName_; }

 protected:
  std::string GetString(std::string_view section, std::string_view key, std::string_view defaultValue,
                        std::size_t bufferSize) const override;
  bool PutString(std::string_view section, std::string_view key, std::string_view value) override;
  const std::filesystem::path& ErrorFileName() const override { return fileName_; }

 private:
  std::filesystem::path fileName_;
};

}  // namespace tilvaro
