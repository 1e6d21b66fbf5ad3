// The text input dialog, shown modally through ShowInputDialog and driven with real mouse and key
// events while its modal loop runs.
#include "editor/InputDialog.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>

#include "widgets/Edit97.h"
#include "button/ToolbarButton97.h"

namespace tilvaro {
namespace {

constexpr int kGiveUp = 99;  // result of a dialog that the test had to end itself

// Runs ShowInputDialog; `whileShown` runs inside the modal loop once the dialog is active. A dialog
// that is still open a while later is ended with kGiveUp, so a fault cannot hang the test run.
int Show(TeInput& dialog, const QString& caption, const QString& prompt, QString& text,
         const std::function<void()>& whileShown, const QStringList& completions = {}) {
  QTimer::singleShot(0, &dialog, [&] {
    if (!QTest::qWaitForWindowActive(&dialog)) {
      ADD_FAILURE() << "dialog did not become active";
      dialog.done(kGiveUp);
      return;
    }
    whileShown();
  });
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, &dialog, [&] {
    if (dialog.isVisible()) dialog.done(kGiveUp);
  });
  guard.start(5000);
  return ShowInputDialog(dialog, caption, prompt, text, completions);
}

void ClickButton(TToolbarButton97* button) {
  QWindow* window = button->window()->windowHandle();
  QTest::mouseClick(window, Qt::LeftButton, {}, button->mapTo(button->window(), QPoint(10, 10)));
}

// Rows of the widget's image that hold dark (text) pixels.
std::vector<bool> InkRows(QWidget* widget) {
  const QImage image = widget->grab().toImage();
  std::vector<bool> rows(image.height(), false);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 128) rows[y] = true;
  return rows;
}

bool AnyInk(const std::vector<bool>& rows, int from, int to) {
  for (int y = from; y < to && y < static_cast<int>(rows.size()); ++y)
    if (rows[y]) return true;
  return false;
}

TEST(InputDialogLayout, ControlsSitWhereTheDialogPlacesThem) {
  TeInput dialog;
  EXPECT_EQ(dialog.size(), QSize(353, 104));
  EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << "fixed size";
  EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_EQ(dialog.font().pixelSize(), 11);

  EXPECT_EQ(dialog.Lbl_Text->geometry(), QRect(8, 8, 337, 41));
  EXPECT_EQ(dialog.Edit_Txt->geometry(), QRect(8, 51, 337, 19));
  EXPECT_EQ(dialog.Btn_Abbruch->geometry(), QRect(192, 80, 81, 22));
  EXPECT_EQ(dialog.Btn_OK->geometry(), QRect(280, 80, 65, 22));

  EXPECT_EQ(dialog.Btn_Abbruch->Caption(), "&Abbruch");
  EXPECT_EQ(dialog.Btn_Abbruch->ModalResult(), 2);
  EXPECT_EQ(dialog.Btn_Abbruch->Glyph().size(), QSize(16, 16));
  EXPECT_EQ(dialog.Btn_Abbruch->Hint(), "Aktion abbrechen");
  EXPECT_EQ(dialog.Btn_OK->Caption(), "&OK");
  EXPECT_EQ(dialog.Btn_OK->ModalResult(), 1);
  EXPECT_EQ(dialog.Btn_OK->Glyph().size(), QSize(36, 18));
  EXPECT_EQ(dialog.Btn_OK->NumGlyphs(), 2);
  EXPECT_EQ(dialog.Btn_OK->Hint(), "Aktion bestätigen");
  EXPECT_FALSE(dialog.Btn_OK->ShowHint()) << "hints are off in the dialog";
  EXPECT_FALSE(dialog.Btn_Abbruch->ShowHint());

  // The edit is the only control that can take the focus.
  for (QWidget* child : dialog.findChildren<QWidget*>()) {
    if (child == dialog.Edit_Txt) continue;
    EXPECT_EQ(child->focusPolicy(), Qt::NoFocus) << child->metaObject()->className();
  }
  EXPECT_NE(dialog.Edit_Txt->focusPolicy(), Qt::NoFocus);
}

TEST(InputDialog, OpensWithTheWholeTextSelectedSoTypingReplacesIt) {
  TeInput dialog;
  QString text = "Vorschlag";
  bool focused = false;
  QString selected, caption, prompt;
  const int result = Show(dialog, "Layout speichern ...", "Bitte Dateiname angeben", text, [&] {
    focused = QApplication::focusWidget() == dialog.Edit_Txt;
    selected = dialog.Edit_Txt->selectedText();
    caption = dialog.windowTitle();
    prompt = dialog.Lbl_Text->text();
    QTest::keyClicks(dialog.Edit_Txt, "neu");
    ClickButton(dialog.Btn_OK);
  });
  EXPECT_EQ(result, 1);
  EXPECT_TRUE(focused);
  EXPECT_EQ(selected, "Vorschlag");
  EXPECT_EQ(caption, "Layout speichern ...");
  EXPECT_EQ(prompt, "Bitte Dateiname angeben");
  EXPECT_EQ(text, "neu");
  EXPECT_FALSE(dialog.isVisible());
}

TEST(InputDialog, ConfirmingAnEmptyEditReturnsOneAndAnEmptyText) {
  TeInput dialog;
  QString text = "abc";
  const int result = Show(dialog, "c", "p", text, [&] {
    QTest::keyClick(dialog.Edit_Txt, Qt::Key_Backspace);
    ClickButton(dialog.Btn_OK);
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(text, "");
}

TEST(InputDialog, CancelAndTitleBarCloseReturnTwoAndKeepTheCallersText) {
  TeInput dialog;
  QString text = "original";
  int result = Show(dialog, "c", "p", text, [&] {
    QTest::keyClicks(dialog.Edit_Txt, "getippt");
    ClickButton(dialog.Btn_Abbruch);
  });
  EXPECT_EQ(result, 2);
  EXPECT_EQ(text, "original");

  result = Show(dialog, "c", "p", text, [&] {
    QTest::keyClicks(dialog.Edit_Txt, "getippt");
    dialog.close();  // what the title bar's close button does
  });
  EXPECT_EQ(result, 2);
  EXPECT_EQ(text, "original");
}

TEST(InputDialog, EnterAndEscapeDoNotEndTheDialog) {
  TeInput dialog;
  QString text = "x";
  bool openAfterKeys = false;
  const int result = Show(dialog, "c", "p", text, [&] {
    QTest::keyClick(dialog.Edit_Txt, Qt::Key_Return);
    QTest::keyClick(dialog.Edit_Txt, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(dialog.Edit_Txt, Qt::Key_Escape);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    openAfterKeys = dialog.isVisible();
    ClickButton(dialog.Btn_OK);
  });
  EXPECT_TRUE(openAfterKeys);
  EXPECT_EQ(result, 1);
}

// Also while the list of completions is open, which then closes with the dialog.
TEST(InputDialog, AltOAndAltAClickTheButtons) {
  TeInput dialog;
  QString text = "alt";
  bool listShown = false;
  int result = Show(
      dialog, "c", "p", text,
      [&] {
        QTest::keyClicks(dialog.Edit_Txt, "neu");
        listShown = dialog.Edit_Txt->completer()->popup()->isVisible();
        QTest::keyClick(dialog.Edit_Txt, Qt::Key_O, Qt::AltModifier);
      },
      {"neuer Turm"});
  EXPECT_TRUE(listShown);
  EXPECT_FALSE(dialog.Edit_Txt->completer()->popup()->isVisible());
  EXPECT_EQ(result, 1);
  EXPECT_EQ(text, "neu");

  result = Show(dialog, "c", "p", text, [&] {
    QTest::keyClicks(dialog.Edit_Txt, "anders");
    QTest::keyClick(dialog.Edit_Txt, Qt::Key_A, Qt::AltModifier);
  });
  EXPECT_EQ(result, 2);
  EXPECT_EQ(text, "neu");
}

TEST(InputDialog, EveryCallStartsAfreshAndCentred) {
  TeInput dialog;
  QString first = "erste Antwort";
  Show(dialog, "Erste Frage", "eins", first, [&] { ClickButton(dialog.Btn_OK); });
  dialog.move(0, 0);

  QString second;
  QString shownText = "?", shownCaption;
  QPoint centreOffset;
  Show(dialog, "Zweite Frage", "zwei", second, [&] {
    shownText = dialog.Edit_Txt->text();
    shownCaption = dialog.windowTitle();
    const QRect screen = dialog.screen()->availableGeometry();
    centreOffset = dialog.frameGeometry().center() - screen.center();
    ClickButton(dialog.Btn_Abbruch);
  });
  EXPECT_EQ(shownText, "");
  EXPECT_EQ(shownCaption, "Zweite Frage");
  EXPECT_LE(centreOffset.manhattanLength(), 2);
}

TEST(InputDialogPrompt, ShowsThreeLinesAtMostAndTheRestIsCutOff) {
  TeInput dialog;
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

  // The fourth line's umlaut dots would reach into the last two rows of the label.
  dialog.Lbl_Text->setText(QString("Zeile eins\nZeile zwei\nZeile drei\nÄÖÜ ÄÖÜ ÄÖÜ\nfünf"));
  std::vector<bool> ink = InkRows(dialog.Lbl_Text);
  EXPECT_TRUE(AnyInk(ink, 0, 13));
  EXPECT_TRUE(AnyInk(ink, 13, 26));
  EXPECT_TRUE(AnyInk(ink, 26, 39));
  EXPECT_FALSE(AnyInk(ink, 39, 41)) << "nothing of the fourth line shows";

  // A long prompt without breaks is word-wrapped into the same three lines.
  dialog.Lbl_Text->setText(QString("Ärger über Äpfel ").repeated(12));
  ink = InkRows(dialog.Lbl_Text);
  EXPECT_TRUE(AnyInk(ink, 26, 39));
  EXPECT_FALSE(AnyInk(ink, 39, 41));

  // Prompts are plain text: markup is shown, not interpreted.
  EXPECT_EQ(dialog.Lbl_Text->textFormat(), Qt::PlainText);
  dialog.hide();
}

}  // namespace
}  // namespace tilvaro
