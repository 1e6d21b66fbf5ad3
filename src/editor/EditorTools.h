#pragma once
// EditorTools: what the editor window offers a layout maker beyond its controls, reached by keys
// and by a context menu on the grid:
//   - undo (Ctrl+Z) and redo (Ctrl+Y, Ctrl+Shift+Z) through the window's EditorHistory;
//   - the preview window "Tilvaro - Vorschau", shown and hidden with F5, made on first use;
//   - the grid's context menu, made on first use: undo, redo, preview, then the layer tools, each
//     one undoable step, and "Untere Ebene anzeigen", which marks in the grid, faintly, the cells of
//     the layer below that hold tiles (off at start, so the grid looks as it always did).
// Entries that cannot act are disabled.

#include <QObject>
#include <QPoint>
#include <vector>

#include "editor/EditorHistory.h"
#include "layout/LayerTools.h"
#include "layout/Layout.h"

class QAction;
class QMenu;

namespace tilvaro {

class TEditForm;
class TPreviewWindow;

class EditorTools : public QObject {
  Q_OBJECT

 public:
  explicit EditorTools(TEditForm& form);
  ~EditorTools() override;

  EditorHistory& History() { return history_; }

  QAction* UndoAction() const { return undo_; }
  QAction* RedoAction() const { return redo_; }
  QAction* PreviewAction() const { return previewAction_; }

  // Shows the preview beside the editor, or hides it.
  void TogglePreview();
  // Null until the preview is first shown.
  TPreviewWindow* Preview() const { return preview_; }

  // Uses a layer tool on the layer shown, as one step; shows the layer it changed.
  void UseLayerTool(LayerTool tool);

  void SetShowLowerLayer(bool show);
  // The grid was filled with the layer shown: its marks of the layer below follow.
  void GridRedrawn();

  // Opens the grid's context menu at a point on the screen.
  void ShowGridMenu(const QPoint& globalPosition);
  // Null until the menu is first opened.
  QMenu* GridMenu() const { return menu_; }
  // The menu's entry for a layer tool, and for the lower layer's marks.
  QAction* LayerToolAction(LayerTool tool) const;
  QAction* LowerLayerAction() const { return lowerLayer_; }

  // What the preview draws: the cells and the settings that change the picture.
  Layout PreviewLayout() const;

 private:
  QAction* MakeAction(const QString& text, const QList<QKeySequence>& keys, void (EditorTools::*command)());
  void Undo() { history_.Undo(); }
  void Redo() { history_.Redo(); }
  void MakeGridMenu();
  void DocumentChanged();
  // Undo and redo enabled as they can act; the menu's entries too, when it is shown.
  void UpdateActions();
  void UpdateMenu();
  void PlacePreview();

  TEditForm& form_;
  EditorHistory history_;
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;
  QAction* previewAction_ = nullptr;
  TPreviewWindow* preview_ = nullptr;
  bool previewPlaced_ = false;
  QMenu* menu_ = nullptr;
  std::vector<std::pair<LayerTool, QAction*>> toolActions_;
  QAction* lowerLayer_ = nullptr;
  bool showLowerLayer_ = false;
};

}  // namespace tilvaro
