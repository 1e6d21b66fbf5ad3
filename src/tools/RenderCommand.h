#pragma once

#include <optional>
#include <string>
#include <vector>

#include "layout/Layout.h"

namespace tilvaro {

// render FILE -o OUT.png [--size N]: the layout as a picture, for file managers' thumbnails and for
// people who collect layouts.
struct RenderRequest {
  std::string input, output;
  std::string format;       // lower-case, from the output's suffix; "png" when it has none
  std::optional<int> size;  // fit into size x size pixels; natural size when absent
};

inline constexpr int kLargestRenderSize = 4096;

// The operands after "render", options in any order until "--", after which every operand is the
// FILE. nullopt and a UTF-8 problem for wrong usage: no FILE, more than one, no -o, -o or --size
// given twice, an unknown option, a size that is not a whole number in 1..kLargestRenderSize, an
// output whose suffix names no image format that can be written.
std::optional<RenderRequest> ParseRenderOperands(const std::vector<std::string>& operands, std::string& problem);

// Draws the layout and writes the picture atomically (a complete file beside the target, renamed
// over it), so a failed write leaves no half-written picture. Refuses an output that is the input
// file itself (same device and inode, through any link). False with the write error ("Kann nicht
// nach … schreiben" and the reason on the next line, UTF-8) when that fails, or with a note when the
// tool was built without Qt.
bool WriteLayoutPicture(const Layout& layout, const RenderRequest& request, std::string& problem);

}  // namespace tilvaro
