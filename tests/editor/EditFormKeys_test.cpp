// The command keys and the name questions' completions, through the window with real key events.
#include <QAbstractItemView>
#include <QCompleter>
#include <QWindow>

#include "EditorTestSupport.h"
#include "button/ToolbarButton97.h"
#include "editor/EditorTools.h"
#include "editor/InputDialog.h"
#include "editor/PreviewWindow.h"
#include "widgets/Edit97.h"
#include "widgets/ListBox.h"

namespace tilvaro::test {
namespace {

using EditFormKeysTest = EditorFixture;

TEST_F(EditFormKeysTest, CtrlNOAndSRunTheMenuCommandsWhereverTheFocusIs) {
  TEditForm& f = Form();
  f.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  for (QWidget* focus : std::initializer_list<QWidget*>{f.Edit_Name, f.Layer_Control, f.LBox_Tiles, f.SBar_3D}) {
    SCOPED_TRACE(focus->objectName().toStdString());
    focus->setFocus();
    f.Edit_Author->setText(QStringLiteral("Ich"));
    QTest::keyClick(focus, Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(f.Edit_Author->text().isEmpty()) << "New did not run";
    AnswerCancel();
    AnswerCancel();
    QTest::keyClick(focus, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(focus, Qt::Key_S, Qt::ControlModifier);
  }
  ASSERT_EQ(Questions().size(), 8u);
  EXPECT_EQ(Questions()[6].caption, QStringLiteral("Layout öffnen ..."));
  EXPECT_EQ(Questions()[7].caption, QStringLiteral("Layout speichern ..."));
  // Typing the letters alone still types them.
  f.Edit_Name->setFocus();
  QTest::keyClicks(f.Edit_Name, QStringLiteral("nos"));
  EXPECT_EQ(f.Edit_Name->text(), QStringLiteral("nos"));
}

// While the preview window is the active one, the keys are the editor's all the same.
TEST_F(EditFormKeysTest, TheCommandKeysWorkFromThePreviewWindow) {
  TEditForm& f = Form();
  f.Tools().TogglePreview();
  TPreviewWindow* preview = f.Tools().Preview();
  preview->windowHandle()->requestActivate();
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == preview; }));
  f.Edit_Author->setText(QStringLiteral("Ich"));
  QTest::keyClick(preview, Qt::Key_N, Qt::ControlModifier);
  EXPECT_TRUE(f.Edit_Author->text().isEmpty()) << "New did not run";
  AnswerCancel();
  QTest::keyClick(preview, Qt::Key_O, Qt::ControlModifier);
  ASSERT_EQ(Questions().size(), 1u);
  EXPECT_EQ(Questions()[0].caption, QStringLiteral("Layout öffnen ..."));
}

// The real dialog offers the layouts' names for a layout's name only; a tile set's question none.
TEST_F(EditFormKeysTest, TheLayoutNameQuestionsOfferTheNamesOfTheLayoutsThere) {
  for (const char* file : {"Turm.set", "Tor.set", "Brücke.set", "notes.txt", "Alt.SET"}) WriteFile(Layouts() / file, "");
  std::filesystem::create_directory(Layouts() / "Ordner.set");
  // A window of its own, asking through the real dialog as the program does.
  TEditForm own;
  own.SetInputDialog(new TeInput(&own));
  own.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&own));
  QStringList offered;
  QString popupFirst;
  const auto answer = [&](QWidget* modal) {
    auto* input = qobject_cast<TeInput*>(modal);
    ASSERT_NE(input, nullptr);
    QCompleter* completer = input->Edit_Txt->completer();
    offered.clear();
    popupFirst.clear();
    if (completer != nullptr) {
      for (int row = 0; row < completer->model()->rowCount(); ++row)
        offered << completer->model()->index(row, 0).data().toString();
      QTest::keyClicks(input->Edit_Txt, QStringLiteral("to"));
      if (completer->popup()->isVisible()) popupFirst = completer->popup()->model()->index(0, 0).data().toString();
    }
    input->done(TeInput::kResultCancel);
  };
  {
    ModalDriver driver(answer);
    Click(own.Btn_Open);
    ASSERT_TRUE(driver.Ran());
  }
  EXPECT_EQ(offered, QStringList({"Brücke", "Tor", "Turm"}));
  EXPECT_EQ(popupFirst, QStringLiteral("Tor"));
  {
    ModalDriver driver(answer);
    Click(own.Btn_TileAdd);
    ASSERT_TRUE(driver.Ran());
  }
  EXPECT_TRUE(offered.isEmpty());
}

}  // namespace
}  // namespace tilvaro::test
