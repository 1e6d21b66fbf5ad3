// Fuzzes the reading of a whole layout: any bytes must open without a crash, a hang or unbounded
// memory, within the bounds of the format; and saving what was opened and opening it again must give
// the same layout, up to what the file format cannot keep (blank texts, blanks at either end, one
// pair of enclosing quotes).

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "layout/LayoutProfile.h"
#include "profile/MemoryProfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::size_t limit = std::max<std::size_t>(1024, size);
  const tilvaro::MemoryProfile input("fuzz.set", tilvaro::ProfileDocument(text));
  const tilvaro::Layout opened = tilvaro::ReadLayout(input, limit);

  const tilvaro::LayoutAttributes& a = opened.attributes;
  Check(a.layerCount >= 1 && a.layerCount <= 4);
  Check(a.colourScheme >= 1 && a.colourScheme <= 8);
  Check(a.tileSets.size() <= limit);
  Check(a.name.size() <= 1023 && a.author.size() <= 1023 && a.background.size() <= 1023);
  for (const std::string& entry : a.tileSets) Check(entry.size() <= 1023 && entry.find('\0') == std::string::npos);

  tilvaro::MemoryProfile saved("fuzz.set");
  tilvaro::WriteLayout(saved, opened);
  const tilvaro::MemoryProfile reopenedProfile("fuzz.set", tilvaro::ProfileDocument(saved.Document().Text()));
  const tilvaro::Layout reopened = tilvaro::ReadLayout(reopenedProfile, limit);

  Check(reopened == tilvaro::fuzz::AfterSaveAndOpen(opened));
  return 0;
}
