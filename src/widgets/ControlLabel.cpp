#include "widgets/ControlLabel.h"

#include <QLabel>

#include "platform/TextLines.h"

namespace tilvaro {

void NameByLabel(QLabel& label, QWidget& control) {
  label.setBuddy(&control);
  QString name = ResolvePrefixes(label.text(), true).text.trimmed();
  if (name.endsWith(QLatin1Char(':'))) name = name.chopped(1).trimmed();
  control.setAccessibleName(name);
}

}  // namespace tilvaro
