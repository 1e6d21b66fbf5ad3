#pragma once
// Images of the program's own (glyphs, logo, icon, cursor) read by the format their names end in.
//
// A plain QImage(path) asks every installed image plugin whether it reads the format, loading
// each plugin library on the way; the program's images are all in a format Qt reads itself, so
// that search is left out.

#include <QImage>
#include <QString>

namespace tilvaro {

// The image at `path` (usually ":/images/..."), read as the format its suffix names; a null image
// when it cannot be read.
QImage LoadResourceImage(const QString& path);

}  // namespace tilvaro
