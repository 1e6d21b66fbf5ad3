#include "editor/InputDialog.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QStringListModel>
#include <QTextLayout>

#include "widgets/Edit97.h"
#include "button/ToolbarButton97.h"
#include "editor/EditorFont.h"
#include "platform/ResourceImage.h"
#include "platform/WindowCentring.h"

namespace tilvaro {

namespace {

constexpr QSize kClientSize{353, 104};
constexpr int kFontPixelSize = 11;

// A word-wrapped label that shows only the lines that fit in its height whole; a line that would
// be cut through is left out instead of showing the top of its letters.
class WholeLinesLabel : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect area = contentsRect();
    // Line breaks in the prompt start a new line, as in any label.
    QString shown = text();
    shown.replace(QLatin1String("\r\n"), QString(QChar::LineSeparator));
    shown.replace(QLatin1Char('\n'), QChar::LineSeparator);
    shown.replace(QLatin1Char('\r'), QChar::LineSeparator);
    QTextLayout layout(shown, font());
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    int placed = 0;
    qreal y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(area.width());
      if (y + line.height() > area.height() + 0.5) break;
      line.setPosition(QPointF(0, y));
      y += line.height();
      ++placed;
    }
    layout.endLayout();
    for (int i = 0; i < placed; ++i) layout.lineAt(i).draw(&painter, area.topLeft());
  }
};

}  // namespace

TeInput::TeInput(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
  setFixedSize(kClientSize);
  setFont(EditorFont(kFontPixelSize));
  QPalette pal = palette();
  pal.setColor(QPalette::WindowText, Qt::black);
  setPalette(pal);

  Lbl_Text = new WholeLinesLabel(this);
  Lbl_Text->setGeometry(8, 8, 337, 41);
  Lbl_Text->setTextFormat(Qt::PlainText);
  Lbl_Text->setWordWrap(true);
  Lbl_Text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Lbl_Text->setText(QStringLiteral("... Text (2 Zeilen)"));

  Edit_Txt = new TEdit97(this);
  Edit_Txt->setGeometry(8, 51, 337, 19);
  // The prompt names the edit for assistive tools, whatever prompt the dialog shows.
  Lbl_Text->setBuddy(Edit_Txt);

  Btn_Abbruch = new TToolbarButton97(this);
  Btn_Abbruch->setGeometry(192, 80, 81, 22);
  Btn_Abbruch->SetCaption(QStringLiteral("&Abbruch"));
  Btn_Abbruch->SetGlyph(LoadResourceImage(QStringLiteral(":/images/cancel.xpm")));
  Btn_Abbruch->SetModalResult(kResultCancel);
  Btn_Abbruch->SetHint(QStringLiteral("Aktion abbrechen"));
  Btn_Abbruch->SetShowHint(false);

  Btn_OK = new TToolbarButton97(this);
  Btn_OK->setGeometry(280, 80, 65, 22);
  Btn_OK->SetCaption(QStringLiteral("&OK"));
  Btn_OK->SetGlyph(LoadResourceImage(QStringLiteral(":/images/ok.xpm")));
  Btn_OK->SetNumGlyphs(2);
  Btn_OK->SetModalResult(kResultOk);
  Btn_OK->SetHint(QStringLiteral("Aktion bestätigen"));
  Btn_OK->SetShowHint(false);

  // The edit is the only control that takes the focus; the label and buttons never do.
  Lbl_Text->setFocusPolicy(Qt::NoFocus);
  setFocusProxy(Edit_Txt);
}

void TeInput::reject() { done(kResultCancel); }

void TeInput::done(int result) {
  // The list is a popup window of its own: left open, it would keep the keyboard and swallow the
  // next click in the editor after the dialog has gone.
  if (completer_ != nullptr) completer_->popup()->hide();
  QDialog::done(result);
}

void TeInput::SetCompletions(const QStringList& completions) {
  if (completer_ == nullptr) {
    if (completions.isEmpty()) return;
    completer_ = new QCompleter(this);
    completer_->setCaseSensitivity(Qt::CaseInsensitive);
    completer_->popup()->setFont(font());
    Edit_Txt->setCompleter(completer_);
  }
  completer_->setModel(new QStringListModel(completions, completer_));
}

void TeInput::keyPressEvent(QKeyEvent* event) {
  // No default or cancel button: Enter and Escape are swallowed instead of ending the dialog.
  switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      event->accept();
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

void TeInput::showEvent(QShowEvent* event) {
  tilvaro::CentreOnScreen(*this);
  QDialog::showEvent(event);
  Edit_Txt->setFocus(Qt::OtherFocusReason);
  Edit_Txt->selectAll();
}

void TeInput::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange || !(windowState() & Qt::WindowMinimized)) return;
  // Some window managers offer a minimise button on every dialog, whatever its hints say, and take
  // the window it belongs to down with it: both come back at once, so the modal question can never
  // hide the editor.
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (QWidget* owner = parentWidget() != nullptr ? parentWidget()->window() : nullptr) {
          owner->setWindowState(owner->windowState() & ~Qt::WindowMinimized);
          owner->show();
        }
        setWindowState(windowState() & ~Qt::WindowMinimized);
        show();
        raise();
        activateWindow();
      },
      Qt::QueuedConnection);
}

int ShowInputDialog(TeInput& dialog, const QString& caption, const QString& prompt, QString& text,
                    const QStringList& completions) {
  dialog.setWindowTitle(caption);
  dialog.SetCompletions(completions);
  dialog.Lbl_Text->setText(prompt);
  dialog.Edit_Txt->setText(text);
  const int result = dialog.exec();
  if (result != TeInput::kResultOk) return TeInput::kResultCancel;
  text = dialog.Edit_Txt->text();
  return TeInput::kResultOk;
}

}  // namespace tilvaro
