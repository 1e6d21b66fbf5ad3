#include "tools/SaveChanges.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "profile/ProfileNumber.h"
#include "profile/ProfileText.h"
#include "tools/PrintableText.h"

namespace tilvaro {
namespace {

namespace text = profile_text;

constexpr std::array<std::string_view, 6> kSections = {"INFO", "TILES", "LAYER1", "LAYER2", "LAYER3", "LAYER4"};
constexpr std::size_t kInfo = 0, kTiles = 1;
constexpr std::array<std::string_view, 6> kInfoKeys = {"TILESET", "AUTHOR", "BACKGROUND", "LAYERS", "3D", "ORIGINAL"};
constexpr std::size_t kLayersKey = 3, kColourSchemeKey = 4;
constexpr std::size_t kRowLength = 14;

// How many places one warning names; the rest are counted.
constexpr std::size_t kNamedPlaces = 3;
// How much of a name from the file a warning shows.
constexpr std::size_t kShownNameBytes = 32;

std::string Shown(std::string_view name) {
  if (name.size() <= kShownNameBytes) return Printable(name);
  return Printable(name.substr(0, kShownNameBytes)) + "…";
}

// The number the numbered keys "1", "2", ... stand for ("12", not "012" or "+12"); 0 otherwise.
std::size_t KeyNumber(std::string_view name) {
  if (name.empty() || name.size() > 9 || name[0] == '0') return 0;
  std::size_t number = 0;
  for (const char c : name) {
    if (c < '0' || c > '9') return 0;
    number = number * 10 + static_cast<std::size_t>(c - '0');
  }
  return number;
}

// Places of one kind of change: counted all, the first few named.
class Places {
 public:
  // `place` makes the place's name; it is called only while there is room for one more.
  template <class MakePlace>
  void Add(const MakePlace& place) {
    if (named_.size() < kNamedPlaces) named_.push_back(place());
    ++count_;
  }
  // "<one>: a", or "<count> <many>: a, b, c, …", or nothing when there is no place.
  void Warn(std::vector<std::string>& warnings, std::string_view one, std::string_view many) const {
    if (count_ == 0) return;
    if (count_ == 1) {
      warnings.push_back(std::string(one) + ": " + named_.front());
      return;
    }
    std::string warning = std::to_string(count_) + " " + std::string(many) + ": ";
    for (std::size_t i = 0; i < named_.size(); ++i) warning += (i > 0 ? ", " : "") + named_[i];
    if (count_ > named_.size()) warning += ", …";
    warnings.push_back(std::move(warning));
  }

 private:
  std::vector<std::string> named_;
  std::size_t count_ = 0;
};

void WarnIfChanged(std::vector<std::string>& warnings, std::string_view key, std::optional<std::string_view> stored,
                   std::int32_t saved) {
  if (!stored) return;
  const std::optional<std::int32_t> number = ParseProfileNumber(text::Unquote(*stored));
  if (number == saved) return;
  warnings.push_back(std::string(key) + "=" + Shown(*stored) + " wird beim Speichern zu " + std::string(key) + "=" +
                     FormatProfileNumber(saved));
}

}  // namespace

SaveChanges FindSaveChanges(std::string_view fileText, const Layout& layout, bool numbersCapped) {
  SaveChanges changes;
  Places sections, keys, rows;
  constexpr std::size_t kNone = kSections.size(), kDropped = kNone + 1;
  std::size_t current = kNone;
  std::uint32_t sectionsSeen = 0;
  std::uint32_t keysSeen[kSections.size()] = {};
  const std::size_t tileSets = layout.attributes.tileSets.size();
  std::vector<bool> tileSetSeen(tileSets + 1);
  std::optional<std::string_view> layers, colourScheme, numbers;

  std::size_t pos = text::ByteOrderMarkLength(fileText);
  while (pos < fileText.size()) {
    std::size_t endLength = 0;
    const text::ParsedLine line = text::ParseLine(text::NextLine(fileText, pos, endLength));
    if (line.kind == text::LineKind::Section) {
      const auto known = std::find_if(kSections.begin(), kSections.end(),
                                      [&](std::string_view name) { return text::NamesEqual(line.name, name); });
      const std::size_t index = static_cast<std::size_t>(known - kSections.begin());
      if (known != kSections.end() && (sectionsSeen & (1u << index)) == 0) {
        sectionsSeen |= 1u << index;
        current = index;
        changes.isLayout = true;
      } else {
        sections.Add([&] { return "[" + Shown(line.name) + "]"; });
        current = kDropped;
      }
      continue;
    }
    if (line.kind != text::LineKind::Key || current == kDropped) continue;
    const auto place = [&] {
      return (current == kNone ? std::string() : std::string(kSections[current])) + "/" + Shown(line.name);
    };
    // The bit of the key among those its section saves, or none when the section does not save it.
    std::optional<std::size_t> bit;
    if (current == kInfo) {
      const auto known = std::find_if(kInfoKeys.begin(), kInfoKeys.end(),
                                      [&](std::string_view key) { return text::NamesEqual(line.name, key); });
      if (known != kInfoKeys.end()) bit = static_cast<std::size_t>(known - kInfoKeys.begin());
    } else if (current == kTiles) {
      if (text::NamesEqual(line.name, "NUMBERS")) {
        bit = 0;
      } else if (const std::size_t number = KeyNumber(line.name); number >= 1 && number <= tileSets) {
        if (tileSetSeen[number]) keys.Add(place);
        tileSetSeen[number] = true;
        continue;
      }
    } else if (current != kNone) {
      if (const std::size_t row = KeyNumber(line.name); row >= 1 && row <= static_cast<std::size_t>(kRows)) bit = row - 1;
    }
    if (!bit || (keysSeen[current] & (1u << *bit)) != 0) {
      keys.Add(place);
      continue;
    }
    keysSeen[current] |= 1u << *bit;
    if (current == kInfo && *bit == kLayersKey) layers = line.value;
    if (current == kInfo && *bit == kColourSchemeKey) colourScheme = line.value;
    if (current == kTiles) numbers = line.value;
    if (current > kTiles && text::Unquote(line.value).size() > kRowLength) rows.Add(place);
  }

  sections.Warn(changes.warnings, "Abschnitt entfällt beim Speichern", "Abschnitte entfallen beim Speichern");
  keys.Warn(changes.warnings, "Schlüssel entfällt beim Speichern", "Schlüssel entfallen beim Speichern");
  WarnIfChanged(changes.warnings, "LAYERS", layers, layout.attributes.layerCount);
  WarnIfChanged(changes.warnings, "3D", colourScheme, layout.attributes.colourScheme);
  if (!numbersCapped) WarnIfChanged(changes.warnings, "NUMBERS", numbers, static_cast<std::int32_t>(tileSets));
  rows.Warn(changes.warnings, "Zeile wird beim Speichern auf 14 Zeichen gekürzt",
            "Zeilen werden beim Speichern auf 14 Zeichen gekürzt");
  return changes;
}

}  // namespace tilvaro
