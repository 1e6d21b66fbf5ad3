// Prints the X server's current cursor image as "width height xhot yhot lowest", where lowest is
// the lowest image row holding a visible pixel, one at least half opaque (-1 when none; fainter
// shadow pixels do not count): what a hint below the pointer is placed against. Used by the
// end-to-end hint test.
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <cstdio>

int main() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return 1;
  XFixesCursorImage* image = XFixesGetCursorImage(display);
  if (image == nullptr) return 1;
  int lowest = -1;
  for (int y = image->height - 1; y >= 0 && lowest < 0; --y) {
    for (int x = 0; x < image->width; ++x) {
      if (((image->pixels[y * image->width + x] >> 24) & 0xff) >= 128) {
        lowest = y;
        break;
      }
    }
  }
  std::printf("%d %d %d %d %d\n", image->width, image->height, image->xhot, image->yhot, lowest);
  XFree(image);
  XCloseDisplay(display);
  return 0;
}
