#include "platform/StartupWarmup.h"

#include <QDir>

#include "platform/ResourceImage.h"

#ifdef TILVARO_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace tilvaro {

StartupWarmup::StartupWarmup(const QString& imageFolder) {
  thread_ = std::thread([imageFolder] {
#ifdef TILVARO_HAVE_FONTCONFIG
    FcInit();
#endif
    if (imageFolder.isEmpty()) return;
    QStringList paths;
    for (const QString& name : QDir(imageFolder).entryList(QDir::Files)) paths.append(imageFolder + u'/' + name);
    PreloadResourceImages(paths);
  });
}

StartupWarmup::~StartupWarmup() { Finish(); }

void StartupWarmup::Finish() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace tilvaro
