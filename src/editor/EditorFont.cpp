#include "editor/EditorFont.h"

#include "platform/FontFamilies.h"

namespace tilvaro {

QFont EditorFont(int pixelSize, bool bold) {
  QFont font;
  font.setFamilies(InstalledFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")}));
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

}  // namespace tilvaro
