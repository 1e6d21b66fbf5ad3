#include "profile/TypedProfile.h"

#include "profile/ProfileNumber.h"
#include "profile/ProfileText.h"
#include "files/WriteError.h"

namespace tilvaro {

std::string CopyToBuffer(std::string_view text, std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  text = profile_text::CutAtNul(text);
  return std::string(text.substr(0, bufferSize - 1));
}

std::string TypedProfile::ReadText(std::string_view section, std::string_view key,
                                   std::string_view defaultValue) const {
  return GetString(section, key, defaultValue, kReadBufferSize);
}

void TypedProfile::WriteText(std::string_view section, std::string_view key, std::string_view value) {
  if (!PutString(section, key, value)) throw WriteError(ErrorFileName());
}

std::int32_t TypedProfile::ReadNumber(std::string_view section, std::string_view key,
                                      std::int32_t defaultValue) const {
  return ParseProfileNumber(ReadText(section, key, "")).value_or(defaultValue);
}

void TypedProfile::WriteNumber(std::string_view section, std::string_view key, std::int32_t value) {
  WriteText(section, key, FormatProfileNumber(value));
}

bool TypedProfile::ReadFlag(std::string_view section, std::string_view key, bool defaultValue) const {
  return ReadNumber(section, key, defaultValue ? 1 : 0) != 0;
}

void TypedProfile::WriteFlag(std::string_view section, std::string_view key, bool value) {
  WriteText(section, key, value ? "1" : "0");
}

}  // namespace tilvaro
