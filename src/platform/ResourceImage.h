#pragma once
// Images of the program's own (glyphs, logo, icon, cursor).
//
// Reading an image through QImageReader makes Qt first search its image-format plugins, loading
// each plugin's description on the way: a few milliseconds at start-up for images that Qt reads
// itself. The program's images are XPM, which is C source: their strings are taken out of the
// source and handed to QImage's own XPM decoder, with no plugin search. Other formats, and XPM
// files that cannot be taken apart, are read by QImageReader as the format their suffix names.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <vector>

namespace tilvaro {

// The image at `path` (usually ":/images/..."); a null image when it cannot be read.
QImage LoadResourceImage(const QString& path);

// The strings of an XPM file in order: the contents of its C string literals, outside comments.
// Empty when the source is not whole: a literal or comment left open, or fewer strings than the
// header's height and colour count need (the decoder would read past the end otherwise).
std::vector<QByteArray> XpmStrings(const QByteArray& source);

}  // namespace tilvaro
