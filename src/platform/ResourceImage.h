#pragma once
// Images of the program's own (glyphs, logo, icon, cursor) read by the format their names end in.
//
// A plain QImage(path) asks every installed image plugin whether it reads the format, loading
// each plugin library on the way; the program's images are all in a format Qt reads itself, so
// that search is left out. Images can be decoded ahead on another thread (PreloadResourceImages);
// the first LoadResourceImage of such an image then takes the decoded one.

#include <QImage>
#include <QString>
#include <QStringList>

namespace tilvaro {

// The image at `path` (usually ":/images/..."), read as the format its suffix names; a null image
// when it cannot be read.
QImage LoadResourceImage(const QString& path);

// Decodes the images at `paths` and keeps them for LoadResourceImage. Safe on any thread.
void PreloadResourceImages(const QStringList& paths);

}  // namespace tilvaro
