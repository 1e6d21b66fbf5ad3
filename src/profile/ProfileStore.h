#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

// The profile store on plain files: the two calls the layout code was written against, with their
// contract. Each call is complete in itself: it reads the file as it is at that moment, and a write
// is in the file when the call returns. Nothing is cached between calls.
//
// Reading, in short (ProfileText.h has the exact rules):
//  - any run of CR and LF ends a line; a UTF-8 byte-order mark at the start is skipped;
//  - lines are trimmed of the bytes 9..13, 26 and 32 at both ends; blank lines are skipped;
//  - "[name]" starts a section (name up to the last "]", trimmed); lines before the first one belong
//    to no section; ";" lines are comments; "key = value" splits at the first "=";
//  - one pair of enclosing quotes (' or ") is removed from a value;
//  - the first section of a name and the first key of a name in it win; names are compared without
//    regard to the letter case of Windows-1252;
//  - a value ends at its first NUL byte and is cut to bufferSize - 1 bytes.
// Writing (ProfileDocument.h has the exact rules): new sections at the end of the file, directly after
// its last line (which gets a line end first if it lacks one); new keys after the last non-blank line
// of their section; existing values replaced where they stand; CR LF after every line written; every
// other byte kept. Section names, keys and values are written as given (up to a NUL): like the Windows
// calls, the store does not guard against a line end inside one, which would split the line.
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
