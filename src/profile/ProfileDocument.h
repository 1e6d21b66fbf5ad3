#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "profile/NameIndex.h"

namespace tilvaro {

// One profile file held in memory, read by the rules of profile_text (ProfileText.h) and written as
// the Windows profile store writes:
//  - Set on an existing key replaces that line by "<stored key name>=<value>" where it stands, keeping
//    the line's own line end.
//  - A key the section lacks is added after the section's last non-blank line (before the blank lines
//    that separate it from the next section), ended by CR LF.
//  - A section the file lacks is added at the end: its header "[<section>]" and the key line follow
//    the last line directly, with no blank line between; when the file does not end in a line end,
//    CR LF is added to its last line first.
//  - The first section of a name and the first key of a name within it are the ones read and
//    replaced; later repeats are kept in the text but never consulted. Lines before the first section
//    header belong to no section.
//  - Every byte not touched by a Set is kept exactly, whatever its line ends, blanks or comments.
//  - Section names, keys and values are C strings: each is taken up to its first NUL byte.
// A UTF-8 byte-order mark at the start of the text is skipped when reading and kept when writing.
//
// Costs: parsing is linear in the text; Find and Set are O(1) on average (one hash table over all
// sections and keys; Find first tries the line after the last key it found). Adding a key anywhere
// but at the very end of the text shifts the lines after it, O(lines). Memory is the text plus about
// 32 bytes per line.
class ProfileDocument {
 public:
  ProfileDocument();                           // an empty file
  explicit ProfileDocument(std::string text);  // the file's bytes
  ProfileDocument(ProfileDocument&&) noexcept;
  ProfileDocument& operator=(ProfileDocument&&) noexcept;
  ~ProfileDocument();

  // The value as the reader returns it (quotes removed, not yet cut), or nullopt when the section or
  // the key is missing.
  // Not safe to call from several threads at once on one document (it moves a read cursor).
  std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;
  void Set(std::string_view section, std::string_view key, std::string_view value);

  // Makes room for a document of about `lines` lines, for building a large one with few reallocations.
  void Reserve(std::size_t lines);

  std::string Text() const;  // the whole file as it would be written
  std::size_t Size() const { return size_; }

 private:
  // Files are at most 1 GiB (kMaxProfileFileSize), so 32-bit lengths suffice.
  struct Line {
    const char* data;  // the line's text followed directly by its line end
    std::uint32_t textLength;
    std::uint32_t endLength : 31;
    std::uint32_t indexed : 1;  // a key line that the index finds under its section and name
    std::string_view Text() const { return {data, textLength}; }
  };
  struct Section {
    std::uint32_t headerLine;
    std::uint32_t contentEnd;  // one past the section's last non-blank line
  };
  static constexpr std::uint32_t kSectionScope = NameIndex::kNotFound;

  void Parse();
  // The index holds line numbers for keys and flagged section numbers for sections; the names are
  // read back from the lines themselves.
  std::string_view SectionNameAt(std::uint32_t section) const;
  std::string_view KeyNameAt(std::uint32_t line) const;
  std::uint32_t SectionOfLine(std::uint32_t line) const;
  std::uint32_t LookUpSection(std::string_view name) const;
  bool IndexSection(std::string_view name, std::uint32_t section);
  bool KeyMatches(std::uint32_t candidate, std::uint32_t section, std::string_view name) const;
  std::uint32_t LookUpKey(std::uint32_t section, std::string_view name) const;
  bool IndexKey(std::uint64_t hash, std::uint32_t section, std::string_view name, std::uint32_t line);
  std::uint32_t FindSection(std::string_view section) const;
  std::string_view ReadableText(std::uint32_t line) const;  // without the byte-order mark
  std::uint32_t AppendSection(std::string_view section);
  void EnsureLineEnd(std::uint32_t line);
  void InsertLine(std::uint32_t at, Line line);
  void ReplaceLine(std::uint32_t at, Line line);
  static Line MakeLine(const char* data, std::size_t textLength, std::size_t endLength);
  Line StoreLine(std::string_view first, std::string_view second, std::string_view third, std::string_view end);

  std::unique_ptr<std::string> original_;  // heap-held so that moves keep the views into it valid
  std::vector<std::unique_ptr<char[]>> arena_;  // text of added and replaced lines
  char* arenaNext_ = nullptr;
  std::size_t arenaLeft_ = 0;
  std::vector<Line> lines_;
  std::vector<Section> sections_;
  NameIndex index_;
  // The section last found and the line of the last key found in it (its header at first): readers
  // mostly ask for the keys of one section in the order they stand, so the line after the cursor is
  // tried before the hash table.
  mutable std::string cursorSectionName_;
  mutable std::uint32_t cursorSection_ = NameIndex::kNotFound;
  mutable std::uint32_t cursorLine_ = 0;  // sections under kSectionScope -> section number; keys under their section -> line
  std::size_t size_ = 0;
  std::size_t bomLength_ = 0;  // a UTF-8 byte-order mark that starts line 0
};

}  // namespace tilvaro
