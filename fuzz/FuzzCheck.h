#pragma once
// What the fuzz targets share: a check that names its line when it fails, and what a layout becomes
// after a save and an open.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "layout/Layout.h"
#include "layout/LayoutProfile.h"
#include "profile/ProfileText.h"

namespace tilvaro::fuzz {

// Reports the failed condition's line before stopping, so that a finding explains itself.
inline void CheckAt(bool condition, const char* file, int line) {
  if (condition) return;
  std::fprintf(stderr, "check failed at %s:%d\n", file, line);
  std::abort();
}

// The layout a save and an open give back: blank texts are left out, the reader trims blanks at
// either end and takes off one pair of enclosing quotes.
inline Layout AfterSaveAndOpen(Layout layout) {
  namespace pt = profile_text;
  const auto kept = [](const std::string& text) { return std::string(pt::Unquote(pt::Trim(text))); };
  LayoutAttributes& a = layout.attributes;
  for (std::string* text : {&a.name, &a.author, &a.background}) *text = IsBlank(*text) ? std::string() : kept(*text);
  for (std::string& entry : a.tileSets) entry = kept(entry);
  return layout;
}

}  // namespace tilvaro::fuzz

#define Check(condition) ::tilvaro::fuzz::CheckAt((condition), __FILE__, __LINE__)
