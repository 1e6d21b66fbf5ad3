#include "platform/ProcessStart.h"

#include <QProcess>

namespace tilvaro {

bool StartDetached(const QString& program, const QStringList& arguments) {
  // QProcess reports a failed exec of the detached child back to us, so true means it runs.
  return QProcess::startDetached(program, arguments);
}

}  // namespace tilvaro
