#include "platform/CursorTable.h"

#include <QPixmap>
#include <QWidget>
#include <map>

#include "platform/ResourceImage.h"
#include "runtime/ControlsRuntime.h"

namespace tilvaro {

namespace {

// The cursors hold pixmaps, which must go before the GUI application does: the table is a slot of
// the controls' runtime, which goes with the application.
struct RegisteredCursors {
  std::map<int, QCursor> cursors;
};

}  // namespace

void CursorTable::Register(int number, const QCursor& cursor) {
  ControlsRuntime::Instance().Slot<RegisteredCursors>().cursors[number] = cursor;
}

std::optional<QCursor> CursorTable::Find(int number) {
  const RegisteredCursors* table = ControlsRuntime::FindExisting<RegisteredCursors>();
  if (table == nullptr) return std::nullopt;
  const auto found = table->cursors.find(number);
  if (found == table->cursors.end()) return std::nullopt;
  return found->second;
}

bool CursorTable::Apply(QWidget& widget, int number) {
  const auto cursor = Find(number);
  if (!cursor) return false;
  widget.setCursor(*cursor);
  return true;
}

void CursorTable::Clear() {
  if (ControlsRuntime* runtime = ControlsRuntime::Existing()) runtime->Drop<RegisteredCursors>();
}

bool RegisterLinkCursor() {
  const QPixmap image = QPixmap::fromImage(LoadResourceImage(QStringLiteral(":/images/www-cursor.xpm")));
  if (image.isNull()) return false;
  CursorTable::Register(kLinkCursorNumber, QCursor(image, 0, 0));
  return true;
}

}  // namespace tilvaro
