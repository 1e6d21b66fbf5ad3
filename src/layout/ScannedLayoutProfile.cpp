#include "layout/ScannedLayoutProfile.h"

#include <algorithm>
#include <array>

#include "layout/LayoutKeys.h"
#include "profile/ProfileScan.h"

namespace tilvaro {
namespace {

using layout_keys::kInfo;
using layout_keys::kInfoKeys;
using layout_keys::KeyNumber;
using layout_keys::kSections;
using layout_keys::kTiles;
constexpr std::array<std::string_view, 7> kRowKeys = {"1", "2", "3", "4", "5", "6", "7"};

std::optional<std::size_t> SectionNumber(std::string_view name) {
  for (std::size_t i = 0; i < kSections.size(); ++i) {
    if (profile_text::NamesEqual(name, kSections[i])) return i;
  }
  return std::nullopt;
}

}  // namespace

ScannedLayoutProfile::ScannedLayoutProfile(std::filesystem::path fileName, std::string_view text)
    : fileName_(std::move(fileName)), text_(text) {
  for (const std::string_view key : kInfoKeys) named_.push_back({kInfo, key, std::nullopt});
  named_.push_back({kTiles, layout_keys::kNumbersKey, std::nullopt});
  for (std::size_t layer = kTiles + 1; layer < kSections.size(); ++layer) {
    for (const std::string_view key : kRowKeys) named_.push_back({layer, key, std::nullopt});
  }
  Scan();
}

void ScannedLayoutProfile::Scan() {
  std::vector<bool> numberSeen;  // made on the first numbered entry; repeats keep the first value
  // Room for as many entries as the text can hold lines (of 3 bytes at least), so that the list is
  // never copied while it grows; pages that are never filled cost nothing.
  numbered_.reserve(std::min(text_.size() / 3, kMaxTileSets));
  profile_scan::ScanSections(text_, kSections, [&](std::size_t section, std::string_view name, std::string_view raw) {
    if (section == kTiles) {
      if (const std::size_t number = KeyNumber(name, kMaxTileSets); number != 0) {
        if (numberSeen.empty()) numberSeen.resize(kMaxTileSets + 1);
        if (numberSeen[number]) return;
        numberSeen[number] = true;
        const std::string_view value = profile_text::Unquote(raw);
        numbered_.push_back({static_cast<std::uint32_t>(number), static_cast<std::uint32_t>(value.data() - text_.data()),
                             static_cast<std::uint32_t>(value.size())});
        return;
      }
    }
    for (NamedKey& key : named_) {
      if (key.section == section && !key.value && profile_text::NamesEqual(name, key.name)) {
        key.value = profile_text::Unquote(raw);
        return;
      }
    }
  });
  std::sort(numbered_.begin(), numbered_.end(),
            [](const NumberedKey& a, const NumberedKey& b) { return a.number < b.number; });
}

std::size_t ScannedLayoutProfile::LastTileSetKey(std::size_t limit) const {
  const auto after = std::upper_bound(numbered_.begin(), numbered_.end(), limit,
                                      [](std::size_t n, const NumberedKey& key) { return n < key.number; });
  return after == numbered_.begin() ? 0 : std::prev(after)->number;
}

std::optional<std::string_view> ScannedLayoutProfile::Find(std::size_t section, std::string_view key) const {
  if (section == kTiles) {
    if (const std::size_t number = KeyNumber(key, kMaxTileSets); number != 0) {
      const auto found = std::lower_bound(numbered_.begin(), numbered_.end(), number,
                                          [](const NumberedKey& k, std::size_t n) { return k.number < n; });
      if (found == numbered_.end() || found->number != number) return std::nullopt;
      return text_.substr(found->offset, found->length);
    }
  }
  for (const NamedKey& named : named_) {
    if (named.section == section && profile_text::NamesEqual(key, named.name)) return named.value;
  }
  return std::nullopt;
}

std::string ScannedLayoutProfile::GetString(std::string_view section, std::string_view key,
                                            std::string_view defaultValue, std::size_t bufferSize) const {
  const std::optional<std::size_t> number = SectionNumber(profile_text::CutAtNul(section));
  const std::optional<std::string_view> value = number ? Find(*number, profile_text::CutAtNul(key)) : std::nullopt;
  return CopyToBuffer(value.value_or(defaultValue), bufferSize);
}

}  // namespace tilvaro
