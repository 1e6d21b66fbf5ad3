#pragma once

#include <optional>
#include <string>

#include "layout/Layout.h"

namespace tilvaro::picture {

// The layout's picture (see DrawLayoutPicture) as the bytes of a PNG file: at its natural size, or
// fitted into size x size pixels; empty when encoding fails. Needs no display. The header is free
// of Qt so that the command-line tool's other parts stay so.
std::string LayoutPng(const Layout& layout, std::optional<int> size);

}  // namespace tilvaro::picture
