#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "profile/ProfileText.h"

namespace tilvaro::profile_scan {

// What ScanSections reports of the lines it skips when the caller wants none of them.
struct SkipNothing {
  void operator()(const profile_text::ParsedLine&) const {}
};

// One pass over a profile's text by the reader's rules (ProfileText.h), for readers that want the
// keys of a few known sections and need no index and no memory beyond the text.
//
// Calls visit(section, name, value) for every key line of the first section of each name in
// `sections` (at most 64; `section` is the position of the name there), in file order, with the key's
// name and its raw value (quotes not yet removed). Repeats of a key are visited too: the first one
// is the one the reader returns. Later sections of a name already seen are skipped, as the reader
// never consults them.
//
// With `skip`, what the reader cannot reach is reported too, in the same order: skip(line) for each
// section header that is skipped (a name not in `sections`, or a repeat; its keys go with it) and
// for each key line before the first header, which belongs to no section at all.
//
// Returns the sections found: bit i is set when sections[i] is.
template <class Visit, class Skip = SkipNothing>
std::uint64_t ScanSections(std::string_view text, std::span<const std::string_view> sections, Visit&& visit,
                           Skip&& skip = {}) {
  constexpr std::size_t kSkipped = 64, kBeforeHeaders = 65;
  std::uint64_t seen = 0;
  std::size_t current = kBeforeHeaders;
  std::size_t pos = profile_text::ByteOrderMarkLength(text);
  while (pos < text.size()) {
    std::size_t endLength = 0;
    const profile_text::ParsedLine line = profile_text::ParseLine(profile_text::NextLine(text, pos, endLength));
    if (line.kind == profile_text::LineKind::Section) {
      current = kSkipped;
      for (std::size_t i = 0; i < sections.size() && i < kSkipped; ++i) {
        if (!profile_text::NamesEqual(line.name, sections[i])) continue;
        const std::uint64_t bit = std::uint64_t{1} << i;
        if ((seen & bit) == 0) current = i;
        seen |= bit;
        break;
      }
      if (current == kSkipped) skip(line);
    } else if (line.kind == profile_text::LineKind::Key) {
      if (current < kSkipped) visit(current, line.name, line.value);
      else if (current == kBeforeHeaders) skip(line);
    }
  }
  return seen;
}

}  // namespace tilvaro::profile_scan
