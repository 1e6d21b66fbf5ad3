#include "layout/ProfileStore.h"

#include "layout/FileContents.h"
#include "layout/ProfileDocument.h"
#include "layout/TypedProfile.h"

namespace tilvaro::profile_store {

std::string ReadString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                       std::string_view defaultValue, std::size_t bufferSize) {
  FileReadResult contents = ReadWholeFile(file);
  if (contents.status != FileReadStatus::Read) return CopyToBuffer(defaultValue, bufferSize);
  const ProfileDocument document(std::move(contents.bytes));
  return CopyToBuffer(document.Find(section, key).value_or(defaultValue), bufferSize);
}

bool WriteString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                 std::string_view value) {
  FileReadResult contents = ReadWholeFile(file);
  if (contents.status != FileReadStatus::Read && contents.status != FileReadStatus::Missing) return false;
  ProfileDocument document(std::move(contents.bytes));
  document.Set(section, key, value);
  return ReplaceFileContents(file, document.Text());
}

}  // namespace tilvaro::profile_store
