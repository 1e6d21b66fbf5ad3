#pragma once

#include <filesystem>

#include "profile/ProfileDocument.h"
#include "profile/TypedProfile.h"

namespace tilvaro {

// The typed operations of TIniFile against a profile held in memory: a snapshot of a file read once
// (for reading a whole layout without re-reading the file per key), or a file being built before it
// is written in one piece. Reads and writes behave exactly as the store's calls on a file with the
// same contents would; writes never fail.
class MemoryProfile : public TypedProfile {
 public:
  // fileName is only used to name the file in messages.
  explicit MemoryProfile(std::filesystem::path fileName, ProfileDocument document = ProfileDocument())
      : fileName_(std::move(fileName)), document_(std::move(document)) {}

  const ProfileDocument& Document() const { return document_; }

 protected:
  std::string GetString(std::string_view section, std::string_view key, std::string_view defaultValue,
                        std::size_t bufferSize) const override;
  bool PutString(std::string_view section, std::string_view key, std::string_view value) override;
  const std::filesystem::path& ErrorFileName() const override { return fileName_; }

 private:
  std::filesystem::path fileName_;
  ProfileDocument document_;
};

}  // namespace tilvaro
