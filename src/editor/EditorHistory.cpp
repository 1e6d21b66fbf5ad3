#include "editor/EditorHistory.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <type_traits>
#include <utility>

#include "editor/EditForm.h"
#include "platform/ErrorBox.h"
#include "widgets/Edit97.h"
#include "widgets/LayerGrid.h"
#include "widgets/ListBox.h"
#include "widgets/ScrollBar.h"
#include "widgets/UpDown.h"

namespace tilvaro {

namespace {

constexpr std::size_t Index(TextField field) { return static_cast<std::size_t>(field); }
constexpr std::size_t Index(Setting setting) { return static_cast<std::size_t>(setting); }
constexpr TextField kTextFields[] = {TextField::Name, TextField::Author, TextField::Background};

std::string Utf8(const QString& text) { return text.toStdString(); }
QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

class EditorHistory::Quiet {
 public:
  explicit Quiet(EditorHistory& history) : history_(history) { ++history_.quiet_; }
  ~Quiet() { --history_.quiet_; }
  Quiet(const Quiet&) = delete;
  Quiet& operator=(const Quiet&) = delete;

 private:
  EditorHistory& history_;
};

EditorHistory::EditorHistory(TEditForm& form) : form_(form) {
  settings_ = {form_.SBar_LayerCount->value(), form_.SBar_3D->value(), form_.CBX_Inscripe->isChecked() ? 1 : 0};
  ResetTextBases();
  ConnectControls();
}

EditorHistory::~EditorHistory() = default;

void EditorHistory::ConnectControls() {
  const auto watchBar = [this](TScrollBar* bar, Setting setting) {
    QObject::connect(bar, &QScrollBar::valueChanged, &connections_, [this, bar, setting](int value) {
      RunGuarded([&] { SettingChanged(setting, value, bar->isSliderDown()); });
    });
    // A new drag of the thumb starts a new step.
    QObject::connect(bar, &QScrollBar::sliderPressed, &connections_, [this] { dragging_.reset(); });
  };
  watchBar(form_.SBar_LayerCount, Setting::LayerCount);
  watchBar(form_.SBar_3D, Setting::ColourScheme);
  QObject::connect(form_.CBX_Inscripe, &QCheckBox::toggled, &connections_, [this](bool checked) {
    RunGuarded([&] { SettingChanged(Setting::Inscription, checked ? 1 : 0, false); });
  });
  QObject::connect(qApp, &QApplication::focusChanged, &connections_,
                   [this](QWidget* old, QWidget*) { RunGuarded([&] { FocusChanged(old); }); });
}

// ---- Recording -----------------------------------------------------------------------------------

void EditorHistory::CellToggled(int column, int row, int layer) {
  if (quiet_ > 0) return;
  Record(CellToggle{static_cast<std::uint8_t>(column), static_cast<std::uint8_t>(row),
                    static_cast<std::uint8_t>(layer)});
  Changed();
}

void EditorHistory::ReplaceCells(int layer, const LayerCells& after) {
  auto change = std::make_unique<CellsChange>(CellsChangeBetween(form_.LayerCells, after, layer));
  if (change->toggled.none()) return;
  Record(std::move(change));
  {
    Quiet quiet(*this);
    form_.LayerCells = after;
    ShowLayer(layer);
  }
  Changed();
}

void EditorHistory::SettingChanged(Setting setting, int value, bool dragging) {
  const int before = std::exchange(settings_[Index(setting)], value);
  if (quiet_ > 0 || before == value) return;
  if (dragging && dragging_ == setting) {
    // The thumb is still being dragged: the step it began follows it.
    auto* change = std::get_if<SettingChange>(history_.LastDone());
    if (change != nullptr && change->setting == setting) {
      change->after = static_cast<std::int8_t>(value);
      if (change->after == change->before) history_.DropLastDone();
      Changed();
      return;
    }
  }
  Record(SettingChange{setting, static_cast<std::int8_t>(before), static_cast<std::int8_t>(value)});
  if (dragging) dragging_ = setting;
  Changed();
}

void EditorHistory::FocusChanged(QWidget* old) {
  if (quiet_ > 0) return;
  for (TextField field : kTextFields) {
    if (old == Edit(field) && CommitText(field)) Changed();
  }
}

bool EditorHistory::CommitText(TextField field) {
  const QString text = Edit(field)->text();
  QString& base = textBases_[Index(field)];
  if (text == base) return false;
  auto change = std::make_unique<TextChange>(TextChange{field, Utf8(base), Utf8(text)});
  base = text;
  dragging_.reset();
  history_.Record(std::move(change));
  return true;
}

void EditorHistory::CommitTexts() {
  for (TextField field : kTextFields) CommitText(field);
}

void EditorHistory::ResetTextBases() {
  for (TextField field : kTextFields) textBases_[Index(field)] = Edit(field)->text();
}

void EditorHistory::Record(HistoryStep step) {
  // Typing not yet taken as a step happened before this change.
  CommitTexts();
  dragging_.reset();
  history_.Record(std::move(step));
}

void EditorHistory::Changed() {
  if (OnChanged) OnChanged();
}

// ---- Commands as steps ---------------------------------------------------------------------------

EditorHistory::CommandStep::CommandStep(EditorHistory& history, Scope scope)
    : history_(history), scope_(scope), outermost_(history.quiet_ == 0) {
  if (outermost_) {
    history_.CommitTexts();
    if (scope_ == Scope::Document) {
      documentBefore_ = history_.form_.Document();
      layerBefore_ = history_.form_.UpDown_Layer->Position();
    } else {
      tileSetsBefore_ = history_.form_.Document().tileSets;
    }
  }
  ++history_.quiet_;
}

EditorHistory::CommandStep::~CommandStep() {
  --history_.quiet_;
  if (!outermost_) return;
  // Remembering the step must not end the program, not even when memory runs out.
  try {
    history_.ResetTextBases();
    if (scope_ == Scope::Document) {
      DocumentState after = history_.form_.Document();
      if (after != *documentBefore_) {
        const int layerAfter = history_.form_.UpDown_Layer->Position();
        history_.Record(std::make_unique<DocumentChange>(
            DocumentChange{std::move(*documentBefore_), std::move(after), layerBefore_, layerAfter}));
      }
    } else {
      ListSplice change = DiffLists(tileSetsBefore_, history_.form_.Document().tileSets);
      if (!change.Empty()) history_.Record(std::make_unique<ListSplice>(std::move(change)));
    }
    history_.Changed();
  } catch (...) {
  }
}

// ---- Undo and redo -------------------------------------------------------------------------------

bool EditorHistory::CanUndo() const {
  if (history_.CanUndo()) return true;
  for (TextField field : kTextFields) {
    if (Edit(field)->text() != textBases_[Index(field)]) return true;
  }
  return false;
}

bool EditorHistory::CanRedo() const { return history_.CanRedo(); }

void EditorHistory::Undo() {
  CommitTexts();
  if (!history_.CanUndo()) return;
  dragging_.reset();
  {
    Quiet quiet(*this);
    Apply(history_.Undo(), false);
  }
  ResetTextBases();
  Changed();
}

void EditorHistory::Redo() {
  // Typing not yet taken as a step is a new change, after which there is nothing to redo.
  CommitTexts();
  if (!history_.CanRedo()) {
    Changed();
    return;
  }
  dragging_.reset();
  {
    Quiet quiet(*this);
    Apply(history_.Redo(), true);
  }
  ResetTextBases();
  Changed();
}

void EditorHistory::Apply(const HistoryStep& step, bool forward) {
  std::visit(
      [&](const auto& held) {
        using Held = std::decay_t<decltype(held)>;
        if constexpr (std::is_same_v<Held, CellToggle>) {
          ToggleCell(held.column, held.row, held.layer);
        } else if constexpr (std::is_same_v<Held, SettingChange>) {
          const int value = forward ? held.after : held.before;
          switch (held.setting) {
            case Setting::LayerCount: form_.SBar_LayerCount->setValue(value); break;
            case Setting::ColourScheme: form_.SBar_3D->setValue(value); break;
            case Setting::Inscription: form_.CBX_Inscripe->setChecked(value != 0); break;
          }
        } else if constexpr (std::is_same_v<Held, std::unique_ptr<TextChange>>) {
          Edit(held->field)->setText(FromUtf8(forward ? held->after : held->before));
        } else if constexpr (std::is_same_v<Held, std::unique_ptr<ListSplice>>) {
          const std::vector<std::string>& gone = forward ? held->removed : held->inserted;
          const std::vector<std::string>& coming = forward ? held->inserted : held->removed;
          const int index = static_cast<int>(held->index);
          for (std::size_t i = 0; i < gone.size(); ++i) form_.LBox_Tiles->DeleteItem(index);
          for (std::size_t i = 0; i < coming.size(); ++i) {
            form_.LBox_Tiles->insertItem(index + static_cast<int>(i), FromUtf8(coming[i]));
          }
        } else if constexpr (std::is_same_v<Held, std::unique_ptr<CellsChange>>) {
          ToggleCells(form_.LayerCells, *held);
          ShowLayer(held->layer);
        } else {
          ApplyDocument(forward ? held->after : held->before, forward ? held->layerAfter : held->layerBefore);
        }
      },
      step);
}

void EditorHistory::ApplyDocument(const DocumentState& state, int layer) {
  form_.SetDocument(state);
  ShowLayer(layer);
}

void EditorHistory::ToggleCell(int column, int row, int layer) {
  std::uint8_t& flag = form_.LayerCells(column, row, layer);
  flag = flag != 0 ? 0 : 1;
  if (layer != form_.UpDown_Layer->Position()) {
    ShowLayer(layer);
    return;
  }
  form_.Layer_Control->SetCell(column, row, flag != 0 ? TLayerGrid::kTileMark : QString());
  form_.Check_Anzahl();
}

void EditorHistory::ShowLayer(int layer) {
  // As a step of the spinner does: the grid shows the layer, the label its number.
  form_.UpDown_Layer->SetPosition(layer);
  form_.UpDown_LayerClick(form_.UpDown_Layer);
}

TEdit97* EditorHistory::Edit(TextField field) const {
  switch (field) {
    case TextField::Name: return form_.Edit_Name;
    case TextField::Author: return form_.Edit_Author;
    case TextField::Background: break;
  }
  return form_.Edit_Back;
}

}  // namespace tilvaro
