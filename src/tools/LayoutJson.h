#pragma once

#include <optional>
#include <string>
#include <vector>

#include "layout/Layout.h"

namespace tilvaro {

// The layout as one line of JSON, for scripts that check or collect layouts:
//   {"name":…,"author":…,"background":…,"layerCount":1..4,"colourScheme":1..8,
//    "colourSchemeName":"Hellgrau".."Gelb","inscription":true|false,"tileSets":[…],
//    "tiles":n,"even":true|false,"layers":[[7 rows of 14 "x"/"."] × 4]}
// Texts are decoded from Windows-1252 to UTF-8.
std::string LayoutJson(const Layout& layout);

enum class CheckStatus { Ok, Odd, Error };

// What check found for one file. message is UTF-8 and says the same as the line check prints.
struct CheckOutcome {
  std::string file;  // as given; the system's bytes, normally UTF-8
  CheckStatus status = CheckStatus::Error;
  std::optional<int> tiles;  // when the file could be opened as a layout
  std::string message;
  std::vector<std::string> warnings;  // UTF-8: what saving the file again would change
};

//   {"file":…,"status":"ok"|"odd"|"error","tiles":n,"message":…,"warnings":[…]}
// ("tiles" only when opened as a layout)
std::string CheckOutcomeJson(const CheckOutcome& outcome);

}  // namespace tilvaro
