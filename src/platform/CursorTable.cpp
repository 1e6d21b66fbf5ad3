#include "platform/CursorTable.h"

#include <QCoreApplication>
#include <QPixmap>
#include <QWidget>
#include <map>

#include "platform/ResourceImage.h"

namespace tilvaro {

namespace {

// The cursors hold pixmaps, which must go before the GUI application does: the table is emptied by
// a post routine that QCoreApplication runs while it is being destroyed.
std::map<int, QCursor>& Table() {
  static std::map<int, QCursor> table;
  static const bool cleanupInstalled = [] {
    qAddPostRoutine(&CursorTable::Clear);
    return true;
  }();
  (void)cleanupInstalled;
  return table;
}

}  // namespace

void CursorTable::Register(int number, const QCursor& cursor) { Table()[number] = cursor; }

std::optional<QCursor> CursorTable::Find(int number) {
  const auto found = Table().find(number);
  if (found == Table().end()) return std::nullopt;
  return found->second;
}

bool CursorTable::Apply(QWidget& widget, int number) {
  const auto cursor = Find(number);
  if (!cursor) return false;
  widget.setCursor(*cursor);
  return true;
}

void CursorTable::Clear() { Table().clear(); }

bool RegisterLinkCursor() {
  const QPixmap image = QPixmap::fromImage(LoadResourceImage(QStringLiteral(":/images/www-cursor.xpm")));
  if (image.isNull()) return false;
  CursorTable::Register(kLinkCursorNumber, QCursor(image, 0, 0));
  return true;
}

}  // namespace tilvaro
