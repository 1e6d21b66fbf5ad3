#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace tilvaro {

// Typed reads and writes of one profile, written once over the two calls of a profile store:
// GetString (the value or the default, cut to bufferSize - 1 bytes) and PutString (stores a value,
// false on failure). TIniFile runs them against the file itself, call by call; MemoryProfile against
// a profile held in memory. Texts are bytes (Windows-1252), passed through unchanged.
class TypedProfile {
 public:
  static constexpr std::size_t kReadBufferSize = 1024;  // so texts come back cut to 1023 bytes

  virtual ~TypedProfile() = default;

  // The stored value, or the default when the file, section or key is missing; at most 1023 bytes.
  std::string ReadText(std::string_view section, std::string_view key, std::string_view defaultValue) const;
  // Raises WriteError naming ErrorFileName() when the store fails.
  void WriteText(std::string_view section, std::string_view key, std::string_view value);
  // The stored text parsed by ParseProfileNumber (ProfileNumber.h), or the default. The text is read
  // with the empty default, so a missing key and an unparsable value both give the default.
  std::int32_t ReadNumber(std::string_view section, std::string_view key, std::int32_t defaultValue) const;
  void WriteNumber(std::string_view section, std::string_view key, std::int32_t value);
  // ReadNumber with the default 1 (true) or 0 (false); true when the number is not 0.
  bool ReadFlag(std::string_view section, std::string_view key, bool defaultValue) const;
  void WriteFlag(std::string_view section, std::string_view key, bool value);  // "1" or "0"

 protected:
  virtual std::string GetString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                std::size_t bufferSize) const = 0;
  virtual bool PutString(std::string_view section, std::string_view key, std::string_view value) = 0;
  virtual const std::filesystem::path& ErrorFileName() const = 0;
};

// What the store's read copies into a buffer of bufferSize bytes: the text up to its first NUL byte,
// cut to bufferSize - 1 bytes (nothing for a buffer of 0).
std::string CopyToBuffer(std::string_view text, std::size_t bufferSize);

}  // namespace tilvaro
