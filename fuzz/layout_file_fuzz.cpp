// Fuzzes Open and Save through real files, as the editor and tilvaro-layout run them: the input is
// written to a file and opened with ReadLayoutFile, which picks the layout's keys out of the text in
// one pass. That must give what the general profile reader gives (ReadLayout over the whole parsed
// document) for the tile-set entries it kept, and the cap on their number may drop only entries the
// file does not hold. Saving with WriteLayoutFile and opening again must give the same layout, up to
// what the format cannot keep. Run it with a memory limit (-rss_limit_mb, -malloc_limit_mb): memory
// must stay a small multiple of the input's size.

#include <stdlib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "layout/LayoutFile.h"
#include "profile/MemoryProfile.h"
#include "profile/ProfileText.h"
#include "layout/ScannedLayoutProfile.h"

namespace {

namespace pt = tilvaro::profile_text;

// The folder of the fuzzed files, removed when the run ends.
class FuzzFolder {
 public:
  FuzzFolder() {
    // A memory file system where there is one: every save flushes its file to disk.
    std::error_code ec;
    const std::filesystem::path base =
        std::filesystem::is_directory("/dev/shm", ec) ? std::filesystem::path("/dev/shm") : std::filesystem::temp_directory_path();
    std::string pattern = (base / "tilvaro-fuzz-XXXXXX").string();
    Check(::mkdtemp(pattern.data()) != nullptr);
    path_ = pattern;
  }
  ~FuzzFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

const std::filesystem::path& Folder() {
  static const FuzzFolder folder;
  return folder.Path();
}

// The highest entry number up to `limit` that the first TILES section holds, by a plain scan.
std::size_t LastEntryHeld(std::string_view text, std::size_t limit) {
  bool inTiles = false, tilesSeen = false;
  std::size_t last = 0, pos = pt::ByteOrderMarkLength(text), endLength = 0;
  while (pos < text.size()) {
    const pt::ParsedLine line = pt::ParseLine(pt::NextLine(text, pos, endLength));
    if (line.kind == pt::LineKind::Section) {
      inTiles = !tilesSeen && pt::NamesEqual(line.name, "TILES");
      tilesSeen = tilesSeen || inTiles;
    } else if (inTiles && line.kind == pt::LineKind::Key && !line.name.empty() && line.name.size() <= 9 &&
               line.name[0] != '0' && line.name.find_first_not_of("0123456789") == std::string_view::npos) {
      const std::size_t number = std::stoul(std::string(line.name));
      if (number <= limit) last = std::max(last, number);
    }
  }
  return last;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::filesystem::path in = Folder() / "in.set", out = Folder() / "out.set";
  std::ofstream(in, std::ios::binary | std::ios::trunc).write(text.data(), static_cast<std::streamsize>(size));

  const tilvaro::LayoutReadResult read = tilvaro::ReadLayoutFile(in);
  Check(read.status == tilvaro::LayoutReadStatus::Loaded);
  const tilvaro::Layout& opened = read.layout;
  const std::size_t entries = opened.attributes.tileSets.size();

  const tilvaro::MemoryProfile general(in, tilvaro::ProfileDocument(text));
  Check(tilvaro::ReadLayout(general, entries) == opened);
  const std::int32_t count = general.ReadNumber("TILES", "NUMBERS", 0);
  const std::size_t stated = count > 0 ? static_cast<std::size_t>(count) : 0;
  Check(entries <= stated);
  Check(read.cappedTileSetCount.has_value() == (entries < stated));
  Check(entries == stated || entries >= LastEntryHeld(text, std::min(stated, tilvaro::ScannedLayoutProfile::kMaxTileSets)));

  tilvaro::WriteLayoutFile(out, opened);
  const tilvaro::LayoutReadResult reopened = tilvaro::ReadLayoutFile(out);
  Check(reopened.layout == tilvaro::fuzz::AfterSaveAndOpen(opened));
  Check(!reopened.cappedTileSetCount);
  return 0;
}
