// Fuzzes the reading of a whole layout: any bytes must open without a crash, a hang or unbounded
// memory, within the bounds of the format; and saving what was opened and opening it again must give
// the same layout, up to what the file format cannot keep (blank texts, blanks at either end, one
// pair of enclosing quotes).

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "layout/LayoutProfile.h"
#include "layout/MemoryProfile.h"
#include "layout/ProfileText.h"

namespace {

// Reports the failed condition's line before stopping, so that a finding explains itself.
void CheckAt(bool condition, int line) {
  if (condition) return;
  std::fprintf(stderr, "check failed at %s:%d\n", __FILE__, line);
  std::abort();
}
#define Check(condition) CheckAt((condition), __LINE__)

// What a text becomes after a save and an open.
std::string Kept(const std::string& text) {
  namespace pt = tilvaro::profile_text;
  return std::string(pt::Unquote(pt::Trim(text)));
}

std::string KeptUnlessBlank(const std::string& text) { return tilvaro::IsBlank(text) ? std::string() : Kept(text); }

}  // namespace

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

  tilvaro::Layout expected = opened;
  expected.attributes.name = KeptUnlessBlank(a.name);
  expected.attributes.author = KeptUnlessBlank(a.author);
  expected.attributes.background = KeptUnlessBlank(a.background);
  for (std::string& entry : expected.attributes.tileSets) entry = Kept(entry);
  Check(reopened == expected);
  return 0;
}
