#include "platform/FontConfigWarmup.h"

#ifdef TILVARO_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace tilvaro {

FontConfigWarmup::FontConfigWarmup() {
#ifdef TILVARO_HAVE_FONTCONFIG
  // The loaded configuration becomes the library's current one, which Qt then finds in place.
  thread_ = std::thread([] { FcInit(); });
#endif
}

FontConfigWarmup::~FontConfigWarmup() { Finish(); }

void FontConfigWarmup::Finish() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace tilvaro
