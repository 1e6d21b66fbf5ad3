#pragma once
// EditorHistory: the editor window's undo and redo. It takes every change of the document from
// the window as one step of a LayoutHistory and puts steps back into the window's controls and
// LayerCells, so that nothing the user drew is lost to a slip: New and Open are steps too.
//
// What it sees and how:
//   - a cell toggle (the grid's click handler reports it) and a layer tool's change of the cells;
//   - the layer count, the colour scheme and the inscription flag, through their controls' change
//     signals (a dragged scroll bar thumb is one step from press to release);
//   - Name, Autor and Hintergrundbild: one step per run of typing, taken when the field loses the
//     focus (while it has the focus, its own Ctrl+Z undoes the typing) or before any other step;
//   - New and Open as one step of the whole document, the tile-set commands as one change of the
//     list each: a CommandStep made at the start of the command records what it changed.
// Changes made while a step is put back, or inside a command, are not steps of their own.
// Undoing or redoing a change of cells on a layer that is not shown shows that layer.

#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <optional>

#include "layout/LayoutHistory.h"

class QWidget;

namespace tilvaro {

class TEditForm;
class TEdit97;

class EditorHistory {
 public:
  explicit EditorHistory(TEditForm& form);
  ~EditorHistory();
  EditorHistory(const EditorHistory&) = delete;
  EditorHistory& operator=(const EditorHistory&) = delete;

  // Runs after every change of the document that passed through here, done or put back.
  std::function<void()> OnChanged;

  bool CanUndo() const;
  bool CanRedo() const;
  void Undo();
  void Redo();

  // The grid's click handler toggled this cell of this layer.
  void CellToggled(int column, int row, int layer);
  // Replaces the cells with `after` as one step and shows `layer`, the layer that changed.
  void ReplaceCells(int layer, const LayerCells& after);

  // Made at the start of New, Open or a tile-set command; when the command ends, also by an
  // error, what it changed becomes one step. Commands inside commands are part of the outer one.
  class [[nodiscard]] CommandStep {
   public:
    enum class Scope { Document, TileSets };
    CommandStep(EditorHistory& history, Scope scope);
    ~CommandStep();
    CommandStep(const CommandStep&) = delete;
    CommandStep& operator=(const CommandStep&) = delete;

   private:
    EditorHistory& history_;
    Scope scope_;
    bool outermost_;
    std::optional<DocumentState> documentBefore_;
    std::vector<std::string> tileSetsBefore_;
    int layerBefore_ = 1;
  };

  const LayoutHistory& Steps() const { return history_; }

 private:
  // Suppresses recording while the window is changed by a step put back or by a command.
  class Quiet;

  void ConnectControls();
  void SettingChanged(Setting setting, int value, bool dragging);
  void FocusChanged(QWidget* old);
  // A run of typing in a field becomes a step when its text differs from the last one recorded.
  bool CommitText(TextField field);
  void CommitTexts();
  void ResetTextBases();
  void Record(HistoryStep step);
  void Apply(const HistoryStep& step, bool forward);
  void ApplyDocument(const DocumentState& state, int layer);
  void ToggleCell(int column, int row, int layer);
  void ShowLayer(int layer);
  void Changed();

  TEdit97* Edit(TextField field) const;

  TEditForm& form_;
  LayoutHistory history_;
  int quiet_ = 0;
  // The settings as last seen, since their change signals carry only the new value.
  std::array<int, 3> settings_{};
  // The texts of the three fields as last recorded.
  std::array<QString, 3> textBases_;
  // The setting whose scroll bar thumb is being dragged, once its first change is recorded.
  std::optional<Setting> dragging_;
  // The context of the connections to the window's controls: they end with this object.
  QObject connections_;
};

}  // namespace tilvaro
