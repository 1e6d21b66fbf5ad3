#include "editor/EditorTools.h"

#include <QAction>
#include <QCheckBox>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

#include "editor/EditForm.h"
#include "editor/EditorFont.h"
#include "editor/PreviewPlacement.h"
#include "editor/PreviewWindow.h"
#include "platform/ErrorBox.h"
#include "platform/WindowCentring.h"
#include "widgets/LayerGrid.h"
#include "widgets/ScrollBar.h"
#include "widgets/UpDown.h"

namespace tilvaro {
namespace {

struct ToolEntry {
  LayerTool tool;
  const char* text;
};
constexpr ToolEntry kToolEntries[] = {
    {LayerTool::MirrorLeftRight, "Ebene waagerecht spiegeln"},
    {LayerTool::MirrorTopBottom, "Ebene senkrecht spiegeln"},
    {LayerTool::Clear, "Ebene leeren"},
    {LayerTool::CopyUp, "Ebene nach oben kopieren"},
    {LayerTool::CopyDown, "Ebene nach unten kopieren"},
};

}  // namespace

EditorTools::EditorTools(TEditForm& form) : form_(form), history_(form) {
  // The menu shows the German names of the keys after a tab; the keys themselves are Qt's.
  undo_ = MakeAction(QStringLiteral("Rückgängig\tStrg+Z"), {QKeySequence(Qt::CTRL | Qt::Key_Z)}, &EditorTools::Undo);
  redo_ = MakeAction(QStringLiteral("Wiederherstellen\tStrg+Y"),
                     {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
                     &EditorTools::Redo);
  previewAction_ = MakeAction(QStringLiteral("Vorschau\tF5"), {QKeySequence(Qt::Key_F5)}, &EditorTools::TogglePreview);
  previewAction_->setCheckable(true);
  history_.OnChanged = [this] { DocumentChanged(); };
  UpdateActions();

  form_.Layer_Control->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(form_.Layer_Control, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
    RunGuarded([&] { ShowGridMenu(form_.Layer_Control->mapToGlobal(position)); });
  });
}

EditorTools::~EditorTools() {
  // The window and the menu belong to the editor window; they go first, as nothing drives them
  // without this object.
  delete preview_;
  delete menu_;
}

QAction* EditorTools::MakeAction(const QString& text, const QList<QKeySequence>& keys,
                                 void (EditorTools::*command)()) {
  auto* action = new QAction(text, this);
  action->setShortcuts(keys);
  action->setShortcutContext(Qt::WindowShortcut);
  connect(action, &QAction::triggered, this, [this, command] { RunGuarded([&] { (this->*command)(); }); });
  form_.addAction(action);
  return action;
}

void EditorTools::DocumentChanged() {
  UpdateActions();
  if (preview_ != nullptr && preview_->isVisible()) preview_->ShowLayout(PreviewLayout());
}

void EditorTools::UpdateActions() {
  undo_->setEnabled(history_.CanUndo());
  redo_->setEnabled(history_.CanRedo());
}

void EditorTools::UpdateMenu() {
  UpdateActions();
  const int layer = form_.UpDown_Layer->Position();
  for (const auto& [tool, action] : toolActions_) {
    action->setEnabled(ApplyLayerTool(form_.LayerCells, tool, layer).has_value());
  }
  // Layer 1 has no layer below to mark.
  lowerLayer_->setEnabled(layer > 1);
}

// ---- Preview -------------------------------------------------------------------------------------

Layout EditorTools::PreviewLayout() const { return LayoutWithoutTexts(form_.Document()); }

void EditorTools::TogglePreview() {
  if (preview_ == nullptr) {
    preview_ = new TPreviewWindow(&form_);
    preview_->OnCloseRequest = [this] { TogglePreview(); };
    // Its keys are the editor's while it is the active window.
    preview_->addActions({undo_, redo_, previewAction_});
    // Shown, it leaves the keyboard with the editor.
    preview_->setAttribute(Qt::WA_ShowWithoutActivating);
  }
  if (preview_->isVisible()) {
    preview_->hide();
  } else {
    preview_->ShowLayout(PreviewLayout());
    PlacePreview();
    preview_->show();
  }
  previewAction_->setChecked(preview_->isVisible());
}

void EditorTools::PlacePreview() {
  const QScreen* screen = form_.screen() != nullptr ? form_.screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect available = screen->availableGeometry();
  // Where the user left it, while that is still wholly on the screen.
  if (previewPlaced_ && available.contains(preview_->frameGeometry())) return;
  // Before it was first framed, its frame is taken to be the editor's: the same window manager
  // draws both.
  QMargins frame = FrameMargins(*preview_);
  if (frame.isNull()) frame = FrameMargins(form_);
  // Where it must cover some of the editor, it leaves the grid and the layer spinner free.
  const QRect work = form_.Layer_Control->geometry().united(form_.UpDown_Layer->geometry());
  const QRect keepClear(form_.mapToGlobal(work.topLeft()), work.size());
  const QRect placed = PlaceBeside(available, form_.frameGeometry(), keepClear, preview_->size().grownBy(frame));
  preview_->setGeometry(placed.marginsRemoved(frame));
  previewPlaced_ = true;
}

// ---- Grid menu and layer tools -------------------------------------------------------------------

void EditorTools::ShowGridMenu(const QPoint& globalPosition) {
  if (menu_ == nullptr) MakeGridMenu();
  UpdateMenu();
  menu_->popup(globalPosition);
}

void EditorTools::MakeGridMenu() {
  menu_ = new QMenu(&form_);
  menu_->setObjectName(QStringLiteral("GridMenu"));
  menu_->setFont(EditorFont(11));
  menu_->addActions({undo_, redo_, previewAction_});
  menu_->addSeparator();
  for (const ToolEntry& entry : kToolEntries) {
    QAction* action = menu_->addAction(QString::fromUtf8(entry.text));
    const LayerTool tool = entry.tool;
    connect(action, &QAction::triggered, this, [this, tool] { RunGuarded([&] { UseLayerTool(tool); }); });
    toolActions_.emplace_back(tool, action);
  }
  menu_->addSeparator();
  lowerLayer_ = menu_->addAction(QStringLiteral("Untere Ebene anzeigen"));
  lowerLayer_->setCheckable(true);
  lowerLayer_->setChecked(showLowerLayer_);
  connect(lowerLayer_, &QAction::toggled, this, [this](bool on) { RunGuarded([&] { SetShowLowerLayer(on); }); });
}

QAction* EditorTools::LayerToolAction(LayerTool tool) const {
  for (const auto& [entryTool, action] : toolActions_) {
    if (entryTool == tool) return action;
  }
  return nullptr;
}

void EditorTools::UseLayerTool(LayerTool tool) {
  const int layer = form_.UpDown_Layer->Position();
  const std::optional<LayerCells> after = ApplyLayerTool(form_.LayerCells, tool, layer);
  if (after) history_.ReplaceCells(LayerToolTarget(tool, layer), *after);
}

void EditorTools::SetShowLowerLayer(bool show) {
  if (show == showLowerLayer_) return;
  showLowerLayer_ = show;
  if (lowerLayer_ != nullptr) lowerLayer_->setChecked(show);
  GridRedrawn();
}

void EditorTools::GridRedrawn() {
  const int layer = form_.UpDown_Layer->Position();
  const bool show = showLowerLayer_ && layer > 1;
  for (int column = 0; column < kColumns; ++column) {
    for (int row = 0; row < kRows; ++row) {
      form_.Layer_Control->SetLowerTile(column, row, show && form_.LayerCells.HasTile(column, row, layer - 1));
    }
  }
}

}  // namespace tilvaro
