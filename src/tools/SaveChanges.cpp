#include "tools/SaveChanges.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "layout/LayoutKeys.h"
#include "profile/ProfileNumber.h"
#include "profile/ProfileScan.h"
#include "profile/ProfileText.h"
#include "tools/PrintableText.h"

namespace tilvaro {
namespace {

namespace text = profile_text;

using layout_keys::kInfo;
using layout_keys::kInfoKeys;
using layout_keys::KeyNumber;
using layout_keys::kSections;
using layout_keys::kTiles;

// How many places one warning names; the rest are counted.
constexpr std::size_t kNamedPlaces = 3;
// How much of a name from the file a warning shows.
constexpr std::size_t kShownNameBytes = 32;

std::string Shown(std::string_view name) {
  if (name.size() <= kShownNameBytes) return Printable(name);
  return Printable(name.substr(0, kShownNameBytes)) + "…";
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
  std::uint32_t keysSeen[kSections.size()] = {};
  const std::size_t tileSets = layout.attributes.tileSets.size();
  std::vector<bool> tileSetSeen(tileSets + 1);
  std::optional<std::string_view> layers, colourScheme, numbers;

  const auto visit = [&](std::size_t section, std::string_view name, std::string_view value) {
    const auto place = [&] { return std::string(kSections[section]) + "/" + Shown(name); };
    // The bit of the key among those its section saves, or none when the section does not save it.
    std::optional<std::size_t> bit;
    if (section == kInfo) {
      const auto known = std::find_if(kInfoKeys.begin(), kInfoKeys.end(),
                                      [&](std::string_view key) { return text::NamesEqual(name, key); });
      if (known != kInfoKeys.end()) bit = static_cast<std::size_t>(known - kInfoKeys.begin());
    } else if (section == kTiles) {
      if (text::NamesEqual(name, layout_keys::kNumbersKey)) {
        bit = 0;
      } else if (const std::size_t number = KeyNumber(name, tileSets); number != 0) {
        if (tileSetSeen[number]) keys.Add(place);
        tileSetSeen[number] = true;
        return;
      }
    } else if (const std::size_t row = KeyNumber(name, kRows); row != 0) {
      bit = row - 1;
    }
    if (!bit || (keysSeen[section] & (1u << *bit)) != 0) {
      keys.Add(place);
      return;
    }
    keysSeen[section] |= 1u << *bit;
    if (section == kInfo && *bit == layout_keys::kLayerCountKey) layers = value;
    if (section == kInfo && *bit == layout_keys::kColourSchemeKey) colourScheme = value;
    if (section == kTiles) numbers = value;
    if (section > kTiles && text::Unquote(value).size() > static_cast<std::size_t>(kColumns)) rows.Add(place);
  };
  // A skipped section goes with all its keys; a key before the first section is in none.
  const auto skip = [&](const text::ParsedLine& line) {
    if (line.kind == text::LineKind::Section) {
      sections.Add([&] { return "[" + Shown(line.name) + "]"; });
    } else {
      keys.Add([&] { return "/" + Shown(line.name); });
    }
  };
  changes.isLayout = profile_scan::ScanSections(fileText, kSections, visit, skip) != 0;

  sections.Warn(changes.warnings, "Abschnitt entfällt beim Speichern", "Abschnitte entfallen beim Speichern");
  keys.Warn(changes.warnings, "Schlüssel entfällt beim Speichern", "Schlüssel entfallen beim Speichern");
  const LayoutAttributes& read = layout.attributes;
  WarnIfChanged(changes.warnings, kInfoKeys[layout_keys::kLayerCountKey], layers, read.layerCount);
  WarnIfChanged(changes.warnings, kInfoKeys[layout_keys::kColourSchemeKey], colourScheme, read.colourScheme);
  if (!numbersCapped) WarnIfChanged(changes.warnings, layout_keys::kNumbersKey, numbers, static_cast<std::int32_t>(tileSets));
  const std::string cut = "beim Speichern auf " + std::to_string(kColumns) + " Zeichen gekürzt";
  rows.Warn(changes.warnings, "Zeile wird " + cut, "Zeilen werden " + cut);
  return changes;
}

}  // namespace tilvaro
