#pragma once
// What the editor would change in a layout file by opening and saving it again, for check to warn
// about before a hand-edited file loses something.

#include <string>
#include <string_view>
#include <vector>

#include "layout/Layout.h"

namespace tilvaro {

struct SaveChanges {
  // The text holds at least one of a layout's sections ([INFO], [TILES], [LAYER1]..[LAYER4]).
  bool isLayout = false;
  // UTF-8 sentences, at most one per kind of change, each naming at most a few places:
  //  - sections other than the layout's, and repeats of its sections, are dropped;
  //  - keys those sections do not save (unknown names, repeats, tile-set entries beyond the count
  //    read, keys before the first section) are dropped;
  //  - LAYERS, 3D and NUMBERS values that are out of range or no number are saved as the value read;
  //  - rows longer than 14 characters are cut.
  std::vector<std::string> warnings;
};

// `text` is the file's bytes and `layout` what was read from them (ReadLayoutText). A NUMBERS that
// the reader had to cut short (cappedTileSetCount) is the caller's to report; it is left out here.
SaveChanges FindSaveChanges(std::string_view text, const Layout& layout, bool numbersCapped);

}  // namespace tilvaro
