#pragma once
// The editor's font, in the window and in the input dialog: Verdana where it is installed,
// otherwise the nearest face that Linux ships with the same proportions.

#include <QFont>

namespace tilvaro {

QFont EditorFont(int pixelSize, bool bold = false);

}  // namespace tilvaro
