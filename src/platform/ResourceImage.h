#pragma once
// Images of the program's own (glyphs, logo, icon, cursor).
//
// The program's images are XPM files, compiled in as resources (":/images/..."). The build also
// decodes each one and stores its pixels as a resource of their own under ":/decoded" and the
// same path (":/decoded/images/new.xpm"); the program takes those, so its start does not decode
// XPM at all. An image without decoded pixels is read as follows. Reading through QImageReader
// makes Qt first search its image-format plugins, loading each plugin's description on the way: a
// few milliseconds for images that Qt reads itself. XPM is C source: its strings are taken out of
// the source and handed to QImage's own XPM decoder, with no plugin search. Other formats, and XPM
// files that cannot be taken apart, are read by QImageReader as the format their suffix names.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <vector>

namespace tilvaro {

// The image at `path` (usually ":/images/..."); a null image when it cannot be read.
QImage LoadResourceImage(const QString& path);

// Decoded pixels, as the build stores them:
//   bytes 0-3    "TVPX"
//   bytes 4-11   width and height, each an unsigned 32-bit little-endian number from 1 to 4096
//   bytes 12-15  0 for an opaque image, 1 for one with an alpha channel
//   then the rows, top first, each pixel 4 bytes: blue, green, red, alpha (0xAARRGGBB
//   little-endian; alpha 255 throughout an opaque image), and nothing after them.
// EncodePixels gives an empty array for a null image. DecodePixels gives QImage::Format_RGB32 or
// Format_ARGB32 as the flag says, and a null image for bytes that do not follow this layout.
QByteArray EncodePixels(const QImage& image);
QImage DecodePixels(const QByteArray& bytes);

// The strings of an XPM file in order: the contents of its C string literals, outside comments.
// Empty when the source is not whole: a literal or comment left open, or fewer strings than the
// header's height and colour count need (the decoder would read past the end otherwise).
std::vector<QByteArray> XpmStrings(const QByteArray& source);

}  // namespace tilvaro
