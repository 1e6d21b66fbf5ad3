#include "profile/ProfileStore.h"

#include <optional>

#include "files/FileContents.h"
#include "profile/ProfileDocument.h"
#include "profile/ProfileScan.h"
#include "profile/TypedProfile.h"

namespace tilvaro::profile_store {

std::string ReadString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                       std::string_view defaultValue, std::size_t bufferSize) {
  FileReadResult contents = ReadWholeFile(file);
  if (contents.status != FileReadStatus::Read) return CopyToBuffer(defaultValue, bufferSize);
  // One key is wanted: a pass over the text finds it without building an index.
  const std::string_view sections[] = {profile_text::CutAtNul(section)};
  const std::string_view name = profile_text::CutAtNul(key);
  std::optional<std::string_view> value;
  profile_scan::ScanSections(contents.bytes, sections, [&](std::size_t, std::string_view found, std::string_view raw) {
    if (!value && profile_text::NamesEqual(found, name)) value = profile_text::Unquote(raw);
  });
  return CopyToBuffer(value.value_or(defaultValue), bufferSize);
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
