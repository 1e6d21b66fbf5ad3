#pragma once
// A small table of numbered custom cursors, shared by the whole program: a cursor is registered
// once under a number and any widget can then be given that cursor by its number.

#include <QCursor>
#include <optional>

class QWidget;

namespace tilvaro {

// The number of the link cursor shown over the window's web and mail links.
inline constexpr int kLinkCursorNumber = 1;

class CursorTable {
 public:
  // Registers (or replaces) the cursor under `number`.
  static void Register(int number, const QCursor& cursor);
  // The cursor registered under `number`, if any.
  static std::optional<QCursor> Find(int number);
  // Gives `widget` the cursor registered under `number`; returns false (and leaves the widget's
  // cursor alone) when no cursor has that number.
  static bool Apply(QWidget& widget, int number);
  // Forgets every registered cursor.
  static void Clear();
};

// Loads the link cursor from the program's resources (a 32 x 32 image with the hot spot at its
// top-left pixel) and registers it as kLinkCursorNumber. Returns false when the image is missing.
bool RegisterLinkCursor();

}  // namespace tilvaro
