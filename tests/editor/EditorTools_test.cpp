// Undo and redo, the layer tools and the preview, driven through the editor window.
#include <QAction>
#include <QCheckBox>
#include <QMenu>

#include "EditorTestSupport.h"
#include "editor/EditorTools.h"
#include "editor/PreviewWindow.h"
#include "widgets/Edit97.h"
#include "widgets/ListBox.h"
#include "button/ToolbarButton97.h"

namespace tilvaro::test {
namespace {

class EditorToolsTest : public EditorFixture {
 protected:
  EditorTools& Tools() { return Form().Tools(); }
  void Undo() { Tools().UndoAction()->trigger(); }
  void Redo() { Tools().RedoAction()->trigger(); }
  void Type(TEdit97* edit, const QString& text) {
    edit->setFocus();
    QTest::keyClicks(edit, text);
  }
};

// Everything the window shows of the document, to compare states (the layer shown aside: a step
// taken back shows the layer it changed).
struct Shown {
  QStringList texts;
  std::vector<int> settings;
  LayerCells cells;
  bool operator==(const Shown&) const = default;
};

Shown ShownBy(TEditForm& f) {
  QStringList texts = {f.Edit_Name->text(), f.Edit_Author->text(), f.Edit_Back->text(), f.LayoutName};
  for (int i = 0; i < f.LBox_Tiles->Count(); ++i) texts << f.LBox_Tiles->Item(i);
  return {texts,
          {f.SBar_LayerCount->value(), f.SBar_3D->value(), f.CBX_Inscripe->isChecked()},
          f.LayerCells};
}

// Every kind of change, undone back to the start and redone to the end, one step at a time.
TEST_F(EditorToolsTest, EveryChangeIsOneStepUndoneAndRedoneWithoutLoss) {
  TEditForm& f = Form();
  std::vector<Shown> states{ShownBy(f)};
  const auto step = [&](const std::function<void()>& change) {
    change();
    states.push_back(ShownBy(f));
  };
  step([&] { ClickCell(0, 1); });
  step([&] { Tools().UseLayerTool(LayerTool::CopyUp); });  // shows layer 2
  step([&] { ClickCell(5, 5); });
  step([&] { Type(f.Edit_Name, QStringLiteral("Turm")); f.Layer_Control->setFocus(); });
  step([&] { f.SBar_LayerCount->setValue(3); });
  step([&] { f.SBar_3D->setValue(6); });
  step([&] { f.CBX_Inscripe->setChecked(true); });
  step([&] { AnswerOk(QStringLiteral("Klassik")); Click(f.Btn_TileAdd); });
  step([&] { AnswerOk(QStringLiteral("Modern")); Click(f.Btn_TileAdd); });
  step([&] { f.LBox_Tiles->SetItemIndex(0); AnswerOk(QStringLiteral("Alt")); Click(f.Btn_TileName); });
  step([&] { f.LBox_Tiles->SetItemIndex(0); Click(f.Btn_TileDel); });
  step([&] { Click(f.Btn_New); });
  step([&] { ClickCell(2, 2); });
  // An Open that finds nothing leaves an empty layout under the typed name.
  step([&] { AnswerOk(QStringLiteral("fehlt")); (void)ClickExpectingBox(f.Btn_Open); });
  EXPECT_EQ(states.back().texts.at(3), QStringLiteral("fehlt"));

  for (std::size_t i = states.size() - 1; i > 0; --i) {
    Undo();
    EXPECT_EQ(ShownBy(f), states[i - 1]) << "undone to state " << i - 1;
  }
  EXPECT_FALSE(Tools().UndoAction()->isEnabled());
  for (std::size_t i = 1; i < states.size(); ++i) {
    Redo();
    EXPECT_EQ(ShownBy(f), states[i]) << "redone to state " << i;
  }
  EXPECT_FALSE(Tools().RedoAction()->isEnabled());
}

// A file opened without the question (as the command line opens one) is one step too.
TEST_F(EditorToolsTest, OpeningAGivenFileIsOneStep) {
  TEditForm& f = Form();
  WriteFile(Layouts() / "Turm.set", LayoutFileText({"TILESET=Turm"}, {"Klassik"}));
  Type(f.Edit_Name, QStringLiteral("Alt"));
  ClickCell(3, 3);
  const Shown before = ShownBy(f);
  f.OpenLayoutFile(Layouts() / "Turm.set", QStringLiteral("Turm"));
  ASSERT_EQ(f.Edit_Name->text(), QStringLiteral("Turm"));
  QTest::keyClick(&f, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(ShownBy(f), before);
}

// The menu's entries that cannot act are disabled; the lower layer's marks follow the layer shown.
TEST_F(EditorToolsTest, GridMenuEntriesAndLowerLayerMarks) {
  TEditForm& f = Form();
  // The entries as the menu shows them, opened at the grid.
  const auto enabled = [&] {
    Tools().ShowGridMenu(f.Layer_Control->mapToGlobal(QPoint(20, 20)));
    Tools().GridMenu()->hide();
    std::vector<bool> states = {Tools().UndoAction()->isEnabled(), Tools().RedoAction()->isEnabled()};
    for (LayerTool tool : {LayerTool::MirrorLeftRight, LayerTool::MirrorTopBottom, LayerTool::Clear,
                           LayerTool::CopyUp, LayerTool::CopyDown}) {
      states.push_back(Tools().LayerToolAction(tool)->isEnabled());
    }
    states.push_back(Tools().LowerLayerAction()->isEnabled());
    return states;
  };
  EXPECT_EQ(enabled(), std::vector<bool>(8, false));
  ClickCell(0, 0);
  EXPECT_EQ(enabled(), std::vector<bool>({true, false, true, true, true, true, false, false}));
  StepLayer(true);
  EXPECT_EQ(enabled(), std::vector<bool>({true, false, false, false, false, false, true, true}));

  Tools().LowerLayerAction()->trigger();
  EXPECT_TRUE(f.Layer_Control->LowerTile(0, 0));
  EXPECT_FALSE(f.Layer_Control->LowerTile(1, 0));
  StepLayer(false);
  EXPECT_FALSE(f.Layer_Control->LowerTile(0, 0)) << "layer 1 has no layer below";
  StepLayer(true);
  Tools().LowerLayerAction()->trigger();
  EXPECT_FALSE(f.Layer_Control->LowerTile(0, 0));
}

TEST_F(EditorToolsTest, ThePreviewFollowsTheDocumentClosingItIsF5AndSavingAddsNoStep) {
  TEditForm& f = Form();
  EXPECT_EQ(Tools().Preview(), nullptr) << "made on first use only";
  ClickCell(0, 0);
  QTest::keyClick(&f, Qt::Key_F5);
  TPreviewWindow* preview = Tools().Preview();
  ASSERT_NE(preview, nullptr);
  EXPECT_TRUE(preview->isVisible());
  EXPECT_EQ(preview->windowTitle(), QStringLiteral("Tilvaro - Vorschau"));
  ClickCell(1, 0);
  f.SBar_LayerCount->setValue(4);
  EXPECT_EQ(preview->ShownLayout(), Tools().PreviewLayout());
  EXPECT_EQ(TPreviewWindow::CountLine(preview->ShownLayout()), QStringLiteral("2 Steine, 4 Ebenen"));
  // Saving changes nothing of the history.
  const std::size_t steps = Tools().History().Steps().Size();
  AnswerOk(QStringLiteral("Turm"));
  Click(f.Btn_Save);
  EXPECT_TRUE(std::filesystem::exists(Layouts() / "Turm.set"));
  EXPECT_EQ(Tools().History().Steps().Size(), steps);
  preview->close();
  EXPECT_FALSE(preview->isVisible());
  EXPECT_FALSE(Tools().PreviewAction()->isChecked());
  QTest::keyClick(&f, Qt::Key_F5);
  EXPECT_TRUE(preview->isVisible());
  EXPECT_TRUE(Tools().PreviewAction()->isChecked());
}

}  // namespace
}  // namespace tilvaro::test
