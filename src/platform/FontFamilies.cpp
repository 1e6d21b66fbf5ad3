#include "platform/FontFamilies.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QSet>
#include <optional>

namespace tilvaro {

namespace {

// The installed families in lower case, read once and again after the installed fonts change.
const QSet<QString>& Families() {
  static std::optional<QSet<QString>> families;
  static const bool watching = [] {
    if (qGuiApp != nullptr) {
      QObject::connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, [] { families.reset(); });
    }
    return true;
  }();
  (void)watching;
  if (!families) {
    families.emplace();
    for (const QString& family : QFontDatabase::families()) families->insert(family.toLower());
  }
  return *families;
}

}  // namespace

bool FontFamilyInstalled(const QString& family) { return Families().contains(family.toLower()); }

QStringList InstalledFamilies(const QStringList& wanted) {
  QStringList installed;
  for (const QString& family : wanted) {
    if (FontFamilyInstalled(family)) installed.append(family);
  }
  return installed.isEmpty() ? wanted : installed;
}

}  // namespace tilvaro
