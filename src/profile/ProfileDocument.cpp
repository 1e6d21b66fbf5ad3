#include "profile/ProfileDocument.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <stdexcept>

#include "files/FileContents.h"
#include "profile/ProfileText.h"

namespace tilvaro {

namespace pt = profile_text;

namespace {
constexpr std::string_view kCrLf = "\r\n";
constexpr std::size_t kArenaChunk = 64 * 1024;
// Line numbers are below 2^31: the index marks section numbers with the top bit.
constexpr std::size_t kMaxLines = 0x7FFFFFF0u;
constexpr std::uint32_t kSectionFlag = 0x80000000u;

std::size_t LineEndRuns(std::string_view text) {
  std::size_t runs = 0;
  bool inRun = false;
  for (const char c : text) {
    const bool lineEnd = c == '\n' || c == '\r';
    runs += lineEnd && !inRun;
    inRun = lineEnd;
  }
  return runs;
}

}  // namespace

ProfileDocument::ProfileDocument() : original_(std::make_unique<std::string>()) {}

ProfileDocument::ProfileDocument(std::string text) : original_(std::make_unique<std::string>(std::move(text))) {
  Parse();
}

ProfileDocument::ProfileDocument(ProfileDocument&&) noexcept = default;
ProfileDocument& ProfileDocument::operator=(ProfileDocument&&) noexcept = default;
ProfileDocument::~ProfileDocument() = default;

void ProfileDocument::Parse() {
  const std::string_view text = *original_;
  size_ = text.size();
  bomLength_ = pt::ByteOrderMarkLength(text);
  // A run of CR and LF ends a line, so the runs bound the number of lines (a long run of bare line
  // feeds is one line end, not millions of lines); every key line holds a "=".
  const std::size_t lineBound = LineEndRuns(text) + 1;
  lines_.reserve(std::min(lineBound, kMaxLines));
  index_.Reserve(std::min<std::size_t>(lineBound, static_cast<std::size_t>(std::count(text.begin(), text.end(), '='))));
  std::uint32_t current = kSectionScope;  // the section the following keys belong to, if indexed
  std::uint32_t currentSection = kSectionScope;

  // Keys are indexed a few lines after they are read, their slots fetched in the meantime. The queue
  // keeps file order, so the first key of a name is still the one indexed.
  struct PendingKey {
    std::uint64_t hash;
    std::uint32_t scope, line;
    std::string_view name;
  };
  constexpr std::size_t kLookahead = 8;
  std::array<PendingKey, kLookahead> pending{};
  std::size_t pendingHead = 0, pendingCount = 0;
  const auto indexOldestKey = [&] {
    const PendingKey& key = pending[pendingHead];
    if (IndexKey(key.hash, key.scope, key.name, key.line)) lines_[key.line].indexed = 1;
    pendingHead = (pendingHead + 1) % kLookahead;
    --pendingCount;
  };

  std::size_t pos = 0;
  while (pos < text.size()) {
    if (lines_.size() >= kMaxLines) throw std::length_error("profile has too many lines");
    std::size_t endLength = 0;
    const std::string_view lineText = pt::NextLine(text, pos, endLength);
    const auto number = static_cast<std::uint32_t>(lines_.size());
    lines_.push_back(MakeLine(lineText.data(), lineText.size(), endLength));
    const pt::ParsedLine parsed = pt::ParseLine(ReadableText(number));
    switch (parsed.kind) {
      case pt::LineKind::Blank:
        break;
      case pt::LineKind::Section:
        currentSection = static_cast<std::uint32_t>(sections_.size());
        sections_.push_back({number, number + 1});
        // A repeated section is kept but never consulted, so its keys need no index entries.
        current = IndexSection(parsed.name, currentSection) ? currentSection : kSectionScope;
        break;
      case pt::LineKind::Key:
        if (current != kSectionScope) {
          if (pendingCount == kLookahead) indexOldestKey();
          const std::uint64_t hash = index_.Hash(current, parsed.name);
          index_.Prefetch(hash);
          pending[(pendingHead + pendingCount++) % kLookahead] = {hash, current, number, parsed.name};
        }
        [[fallthrough]];
      case pt::LineKind::Comment:
      case pt::LineKind::Other:
        if (currentSection != kSectionScope) sections_[currentSection].contentEnd = number + 1;
        break;
    }
  }
  while (pendingCount > 0) indexOldestKey();
}

std::string_view ProfileDocument::SectionNameAt(std::uint32_t section) const {
  return pt::ParseLine(ReadableText(sections_[section].headerLine)).name;
}

std::string_view ProfileDocument::KeyNameAt(std::uint32_t line) const {
  return pt::ParseLine(ReadableText(line)).name;
}

std::uint32_t ProfileDocument::SectionOfLine(std::uint32_t line) const {
  const auto after = std::upper_bound(sections_.begin(), sections_.end(), line,
                                      [](std::uint32_t l, const Section& section) { return l < section.headerLine; });
  return after == sections_.begin() ? NameIndex::kNotFound
                                    : static_cast<std::uint32_t>(after - sections_.begin() - 1);
}

std::uint32_t ProfileDocument::LookUpSection(std::string_view name) const {
  const std::uint32_t value = index_.Find(index_.Hash(kSectionScope, name), [&](std::uint32_t candidate) {
    return (candidate & kSectionFlag) != 0 && pt::NamesEqual(SectionNameAt(candidate & ~kSectionFlag), name);
  });
  return value == NameIndex::kNotFound ? value : value & ~kSectionFlag;
}

bool ProfileDocument::IndexSection(std::string_view name, std::uint32_t section) {
  return index_.Insert(index_.Hash(kSectionScope, name), section | kSectionFlag, [&](std::uint32_t candidate) {
    return (candidate & kSectionFlag) != 0 && pt::NamesEqual(SectionNameAt(candidate & ~kSectionFlag), name);
  });
}

bool ProfileDocument::KeyMatches(std::uint32_t candidate, std::uint32_t section, std::string_view name) const {
  return (candidate & kSectionFlag) == 0 && SectionOfLine(candidate) == section &&
         pt::NamesEqual(KeyNameAt(candidate), name);
}

std::uint32_t ProfileDocument::LookUpKey(std::uint32_t section, std::string_view name) const {
  return index_.Find(index_.Hash(section, name),
                     [&](std::uint32_t candidate) { return KeyMatches(candidate, section, name); });
}

bool ProfileDocument::IndexKey(std::uint64_t hash, std::uint32_t section, std::string_view name, std::uint32_t line) {
  return index_.Insert(hash, line, [&](std::uint32_t candidate) { return KeyMatches(candidate, section, name); });
}

std::string_view ProfileDocument::ReadableText(std::uint32_t line) const {
  const std::string_view text = lines_[line].Text();
  return line == 0 ? text.substr(bomLength_) : text;
}

std::uint32_t ProfileDocument::FindSection(std::string_view section) const {
  // Readers ask for the same section many times in a row. A section once found stays the first of
  // its name, so remembering the last one found can never give a stale answer.
  if (cursorSection_ != NameIndex::kNotFound && section == cursorSectionName_) return cursorSection_;
  const std::uint32_t number = LookUpSection(section);
  if (number != NameIndex::kNotFound) {
    cursorSectionName_.assign(section);
    cursorSection_ = number;
    cursorLine_ = sections_[number].headerLine;
  }
  return number;
}

std::optional<std::string_view> ProfileDocument::Find(std::string_view section, std::string_view key) const {
  const std::uint32_t sectionNumber = FindSection(pt::CutAtNul(section));
  if (sectionNumber == NameIndex::kNotFound) return std::nullopt;
  key = pt::CutAtNul(key);
  if (cursorLine_ + 1 < lines_.size() && lines_[cursorLine_ + 1].indexed) {
    // The cursor stands on the section's header or on a key line of it; an indexed key line right
    // after it belongs to the same section.
    const pt::ParsedLine next = pt::ParseLine(lines_[cursorLine_ + 1].Text());
    if (pt::NamesEqual(next.name, key)) {
      ++cursorLine_;
      return pt::Unquote(next.value);
    }
  }
  const std::uint32_t line = LookUpKey(sectionNumber, key);
  if (line == NameIndex::kNotFound) return std::nullopt;
  cursorLine_ = line;
  return pt::Unquote(pt::ParseLine(ReadableText(line)).value);
}

void ProfileDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  section = pt::CutAtNul(section);
  key = pt::CutAtNul(key);
  value = pt::CutAtNul(value);

  std::uint32_t sectionNumber = LookUpSection(section);
  if (sectionNumber == NameIndex::kNotFound) sectionNumber = AppendSection(section);

  const std::uint32_t existing = LookUpKey(sectionNumber, key);
  if (existing != NameIndex::kNotFound) {
    const Line& old = lines_[existing];
    const std::string_view storedName = pt::ParseLine(ReadableText(existing)).name;
    const std::string_view oldEnd(old.data + old.textLength, old.endLength);
    ReplaceLine(existing, StoreLine(storedName, "=", value, oldEnd));
    return;
  }

  const std::uint32_t at = sections_[sectionNumber].contentEnd;
  EnsureLineEnd(at - 1);  // the line before is the header or a content line; it may end the file
  // Blank lines after the section's last line are part of that line's end (a run of CR and LF).
  // The new line goes before them, so they keep separating this section from the next.
  const Line& before = lines_[at - 1];
  const std::string_view beforeEnd(before.data + before.textLength, before.endLength);
  const std::size_t firstEnd = beforeEnd.starts_with(kCrLf) ? 2 : 1;
  if (beforeEnd.size() > firstEnd) {
    const std::string_view blankLines = beforeEnd.substr(firstEnd);
    ReplaceLine(at - 1, StoreLine(before.Text(), {}, {}, beforeEnd.substr(0, firstEnd)));
    InsertLine(at, StoreLine(key, "=", value, std::string(kCrLf) + std::string(blankLines)));
  } else {
    InsertLine(at, StoreLine(key, "=", value, kCrLf));
  }
  sections_[sectionNumber].contentEnd = at + 1;
  // The name as a later reading of the file would see it (a key given with blanks reads trimmed).
  const std::string_view storedName = KeyNameAt(at);
  if (IndexKey(index_.Hash(sectionNumber, storedName), sectionNumber, storedName, at)) lines_[at].indexed = 1;
}

std::uint32_t ProfileDocument::AppendSection(std::string_view section) {
  if (!lines_.empty()) EnsureLineEnd(static_cast<std::uint32_t>(lines_.size() - 1));
  const auto header = static_cast<std::uint32_t>(lines_.size());
  InsertLine(header, StoreLine("[", section, "]", kCrLf));
  const auto number = static_cast<std::uint32_t>(sections_.size());
  sections_.push_back({header, header + 1});
  // When the name reads back as that of an earlier section (blanks around it), the earlier one keeps
  // being found, as it will be when the file is read again; the write still lands here.
  IndexSection(SectionNameAt(number), number);
  return number;
}

void ProfileDocument::EnsureLineEnd(std::uint32_t line) {
  const Line& old = lines_[line];
  if (old.endLength != 0) return;
  ReplaceLine(line, StoreLine(old.Text(), {}, {}, kCrLf));
}

void ProfileDocument::ReplaceLine(std::uint32_t at, Line line) {
  size_ = size_ - lines_[at].textLength - lines_[at].endLength + line.textLength + line.endLength;
  line.indexed = lines_[at].indexed;  // the same key stays at the same place
  lines_[at] = line;
}

void ProfileDocument::InsertLine(std::uint32_t at, Line line) {
  if (lines_.size() >= kMaxLines) throw std::length_error("profile has too many lines");
  size_ += line.textLength + line.endLength;
  if (at == lines_.size()) {
    lines_.push_back(line);
    return;
  }
  lines_.insert(lines_.begin() + at, line);
  cursorSection_ = NameIndex::kNotFound;
  index_.UpdateValues([at](std::uint32_t value) {
    return (value & kSectionFlag) != 0 || value < at ? value : value + 1;  // key lines move down by one
  });
  for (Section& section : sections_) {
    if (section.headerLine >= at) ++section.headerLine;
    if (section.contentEnd >= at) ++section.contentEnd;
  }
}

ProfileDocument::Line ProfileDocument::StoreLine(std::string_view first, std::string_view second,
                                                 std::string_view third, std::string_view end) {
  const std::size_t textLength = first.size() + second.size() + third.size();
  const std::size_t total = textLength + end.size();
  char* target = nullptr;
  if (total > arenaLeft_) {
    const std::size_t chunk = std::max(total, kArenaChunk);
    arena_.push_back(std::make_unique<char[]>(chunk));
    arenaNext_ = arena_.back().get();
    arenaLeft_ = chunk;
  }
  target = arenaNext_;
  arenaNext_ += total;
  arenaLeft_ -= total;
  char* out = target;
  for (const std::string_view piece : {first, second, third, end}) {
    if (!piece.empty()) std::memcpy(out, piece.data(), piece.size());
    out += piece.size();
  }
  return MakeLine(target, textLength, end.size());
}

ProfileDocument::Line ProfileDocument::MakeLine(const char* data, std::size_t textLength, std::size_t endLength) {
  if (textLength > kMaxProfileFileSize || endLength > kMaxProfileFileSize) {
    throw std::length_error("profile line too long");
  }
  return {data, static_cast<std::uint32_t>(textLength), static_cast<std::uint32_t>(endLength), 0};
}

void ProfileDocument::Reserve(std::size_t lines) {
  lines = std::min(lines, kMaxLines);
  lines_.reserve(lines);
  index_.Reserve(lines);
}

std::string ProfileDocument::Text() const {
  std::string text;
  text.reserve(size_);
  for (const Line& line : lines_) text.append(line.data, line.textLength + line.endLength);
  return text;
}

}  // namespace tilvaro
