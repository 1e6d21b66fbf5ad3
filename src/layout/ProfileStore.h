#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

// The profile store on plain files: the two calls the layout code was written against, with their
// contract. Each call is complete in itself: it reads the file as it is at that moment, and a write
// is in the file when the call returns. Nothing is cached between calls.
//
// The file is read by the rules of profile_text (ProfileText.h) and changed as ProfileDocument
// (ProfileDocument.h) describes: names compared without regard to letter case, new sections at the
// end, new keys at the end of their section, existing values replaced in place, CR LF after every
// line written, all other bytes kept.
namespace tilvaro::profile_store {

// Reads the value of key in section. Gives the default instead when the file (or anything at the
// path that is not a readable regular file), the section or the key is missing. What is returned is
// what the store would copy into a buffer of bufferSize bytes: the text up to its first NUL byte (C
// strings end there), cut to bufferSize - 1 bytes. Never creates or changes a file.
std::string ReadString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                       std::string_view defaultValue, std::size_t bufferSize);

// Stores value under key in section; creates the file when missing, never its folder. Section, key
// and value are taken up to their first NUL byte. The new contents replace the file atomically (see
// ReplaceFileContents), so a failed write leaves the file as it was. Returns false on failure: a
// missing or unwritable folder, a target that is not a regular file or cannot be read or written.
bool WriteString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                 std::string_view value);

}  // namespace tilvaro::profile_store
