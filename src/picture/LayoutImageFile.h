#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "layout/Layout.h"

namespace tilvaro::picture {

// The image formats a layout picture can be written in, named by their usual lower-case file
// suffix ("png", "jpg", "bmp", ...): those the image writers installed with Qt can write.
std::vector<std::string> PictureFormats();

// The layout's picture (see DrawLayoutPicture) as the bytes of an image file in `format` (one of
// PictureFormats()): at its natural size, or fitted into size x size pixels; empty when encoding
// fails. Formats without transparency get a white background. Needs no display. The header is free
// of Qt so that the command-line tool's other parts stay so.
std::string LayoutImageFile(const Layout& layout, std::optional<int> size, std::string_view format);

}  // namespace tilvaro::picture
