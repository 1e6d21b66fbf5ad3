#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "profile/TypedProfile.h"

namespace tilvaro {

// The keys a layout is read from, picked out of a profile's text in one pass: the INFO keys, NUMBERS
// and the numbered entries "1", "2", ... of TILES, and the rows "1".."7" of LAYER1..LAYER4. Reading
// these keys gives exactly what MemoryProfile gives on the same text; any other key reads as missing.
// It builds no index, so no content can make it slow, and it keeps only the text and, for each
// numbered entry it finds up to kMaxTileSets, 12 bytes. Writing always fails: it is for reading.
class ScannedLayoutProfile : public TypedProfile {
 public:
  // Tile-set entries numbered higher are not kept: a quarter of a million tile sets is no layout the
  // game uses, and the bound keeps a few bytes in the file from asking for a list of billions.
  static constexpr std::size_t kMaxTileSets = std::size_t{1} << 18;

  // fileName only names the file in messages; text is the file's bytes (at most 4 GiB), which must
  // outlive the profile: it is read in place, never copied.
  ScannedLayoutProfile(std::filesystem::path fileName, std::string_view text);

  // The highest number n <= limit for which TILES holds the key "n"; 0 when it holds none.
  std::size_t LastTileSetKey(std::size_t limit) const;

 protected:
  std::string GetString(std::string_view section, std::string_view key, std::string_view defaultValue,
                        std::size_t bufferSize) const override;
  bool PutString(std::string_view, std::string_view, std::string_view) override { return false; }
  const std::filesystem::path& ErrorFileName() const override { return fileName_; }

 private:
  struct NamedKey {
    std::size_t section;
    std::string_view name;
    std::optional<std::string_view> value;  // the first one found, quotes removed
  };
  struct NumberedKey {
    std::uint32_t number, offset, length;  // the value as offset and length in text_
  };

  void Scan();
  std::optional<std::string_view> Find(std::size_t section, std::string_view key) const;

  std::filesystem::path fileName_;
  std::string_view text_;
  std::vector<NamedKey> named_;
  std::vector<NumberedKey> numbered_;  // sorted by number, one per number
};

}  // namespace tilvaro
