#pragma once
// TGalleryWindow: one window that shows every mode of the toolbar-style controls side by side, so
// that they can be tried by hand, photographed and driven by end-to-end tests. Each row of its grid
// names a mode on the left and holds the controls that show it. The controls' object names are
// their member names; every event a control raises goes to the window's event log.

#include <QStringList>
#include <QWidget>
#include <vector>

class QCheckBox;
class QLabel;
class QMenu;

namespace tilvaro {

class TEdit97;
class TEventLog;
class THint95;
class TToolbarButton97;

class TGalleryWindow : public QWidget {
  Q_OBJECT

 public:
  explicit TGalleryWindow(TEventLog& log, QWidget* parent = nullptr);
  ~TGalleryWindow() override;

  TToolbarButton97* Btn_Group1;
  TToolbarButton97* Btn_Group2;
  TToolbarButton97* Btn_Group3;
  TToolbarButton97* Btn_AllUp1;
  TToolbarButton97* Btn_AllUp2;
  TToolbarButton97* Btn_Repeat;
  TToolbarButton97* Btn_Raised;
  TToolbarButton97* Btn_NoBorder;
  TToolbarButton97* Btn_Glyphs5;
  TToolbarButton97* Btn_Disabled;
  TToolbarButton97* Btn_Dropdown;
  TToolbarButton97* Btn_Combo;
  TToolbarButton97* Btn_Always;
  TToolbarButton97* Btn_Default;
  TToolbarButton97* Btn_Cancel;
  TEdit97* Edit_First;
  TEdit97* Edit_Second;
  QCheckBox* CBX_Plain;

  // The menu of Btn_Dropdown and Btn_Combo: "Erster", "Zweiter", "Dritter" with the hints
  // "Hinweis 1" to "Hinweis 3".
  QMenu* DropdownMenu;
  // Shows every button's hint in the office look; each hint shown is logged.
  THint95* Hint95;
  // Under the controls: the last events of the log, newest at the bottom.
  QLabel* Lbl_Events;
  static constexpr int kShownEvents = 6;

  // Every control above, in the order of the rows.
  const std::vector<QWidget*>& Controls() const { return controls_; }
  // Writes the geometry of every control, then "ready".
  void LogGeometry();

 private:
  // Caption and hint in UTF-8.
  TToolbarButton97* AddButton(const char* name, const char* caption, const char* hint);
  void BuildRows();
  void BuildMenu();
  void WireEvents(TToolbarButton97& button);

  void ShowEvent(const QString& line);

  TEventLog& log_;
  std::vector<QWidget*> controls_;
  QStringList shownEvents_;
};

}  // namespace tilvaro
