#include "platform/FontFamilies.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QSet>
#include <optional>

#include "runtime/ControlsRuntime.h"

namespace tilvaro {

namespace {

// The installed families in lower case, read on first need and again after the installed fonts
// change; a slot of the controls' runtime.
class InstalledFontFamilies : public QObject {
 public:
  InstalledFontFamilies() {
    if (qGuiApp != nullptr) connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, this, [this] { families_.reset(); });
  }
  const QSet<QString>& Families() {
    if (!families_) {
      families_.emplace();
      for (const QString& family : QFontDatabase::families()) families_->insert(family.toLower());
    }
    return *families_;
  }

 private:
  std::optional<QSet<QString>> families_;
};

const QSet<QString>& Families() { return ControlsRuntime::Instance().Slot<InstalledFontFamilies>().Families(); }

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
