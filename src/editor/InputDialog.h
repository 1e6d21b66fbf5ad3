#pragma once
// TeInput: the one small modal dialog that asks the user for a name, and ShowInputDialog, which
// fills it with a caption, a prompt and an initial text and shows it.
//
// Only the edit takes the keyboard focus. The dialog ends only through its two buttons (OK gives 1,
// Abbruch gives 2, also by Alt+O and Alt+A) or through the title bar's close button (2); Enter and
// Escape do not end it. It is transient for the window it belongs to (its parent) and offers only a
// close button; where the window manager minimises it anyway, it and that window come back at once.

#include <QDialog>
#include <QString>
#include <QStringList>

class QCompleter;
class QLabel;

namespace tilvaro {

class TEdit97;
class TToolbarButton97;

class TeInput : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kResultOk = 1;
  static constexpr int kResultCancel = 2;

  explicit TeInput(QWidget* parent = nullptr);

  QLabel* Lbl_Text;
  TEdit97* Edit_Txt;
  TToolbarButton97* Btn_Abbruch;
  TToolbarButton97* Btn_OK;

  // Closing from the title bar (and any other rejection) ends the dialog with kResultCancel.
  void reject() override;
  // Ends the dialog; an open list of completions goes with it.
  void done(int result) override;

  // The texts the edit offers as completions while the user types (none when empty). The
  // completer is made on the first call with texts to offer.
  void SetCompletions(const QStringList& completions);

 protected:
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QCompleter* completer_ = nullptr;
};

// Shows the dialog modally with the given caption and prompt and `text` in the edit, offering
// `completions` while the user types. Returns 1 when the user confirmed (text then holds the edit's
// content) or 2 when cancelled (text unchanged).
int ShowInputDialog(TeInput& dialog, const QString& caption, const QString& prompt, QString& text,
                    const QStringList& completions = {});

}  // namespace tilvaro
