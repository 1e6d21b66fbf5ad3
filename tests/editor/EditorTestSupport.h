#pragma once
// Helpers for the editor's widget tests: a temporary start folder, a shown editor window, scripted
// answers for the name dialog, and a driver for modal message boxes.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>

#include "editor/EditForm.h"
#include "controls/LayerGrid.h"
#include "controls/ScrollBar.h"
#include "controls/UpDown.h"

namespace tilvaro::test {

// Runs `action` on the modal widget as soon as one is shown (polling the event loop), so that a
// test can answer a modal dialog or message box that the code under test opens and waits on.
class ModalDriver {
 public:
  explicit ModalDriver(std::function<void(QWidget*)> action) : action_(std::move(action)) {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
  }
  bool Ran() const { return ran_; }

 private:
  void Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) return;
    timer_.stop();
    ran_ = true;
    action_(modal);
  }
  std::function<void(QWidget*)> action_;
  QTimer timer_;
  bool ran_ = false;
};

// What a message box showed.
struct BoxSeen {
  bool shown = false;
  QString text;
  QString title;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QWidget* owner = nullptr;
};

// Answers the next message box by clicking its OK button, recording what it showed.
class MessageBoxAnswerer {
 public:
  MessageBoxAnswerer()
      : driver_([this](QWidget* modal) {
          auto* box = qobject_cast<QMessageBox*>(modal);
          if (box == nullptr) {
            ADD_FAILURE() << "expected a message box, got " << modal->metaObject()->className();
            modal->close();
            return;
          }
          seen_.shown = true;
          seen_.text = box->text();
          seen_.title = box->windowTitle();
          seen_.icon = box->icon();
          seen_.owner = box->parentWidget();
          QAbstractButton* ok = box->button(QMessageBox::Ok);
          if (ok == nullptr) {
            ADD_FAILURE() << "message box without an OK button";
            box->close();
            return;
          }
          QTest::mouseClick(ok, Qt::LeftButton);
        }) {}
  const BoxSeen& Seen() const { return seen_; }

 private:
  BoxSeen seen_;
  ModalDriver driver_;
};

// One question the window asked through its name dialog.
struct Question {
  QString caption;
  QString prompt;
  QString proposed;
};

// The editor window in a fresh temporary start folder (with or without its layouts folder), shown
// on the offscreen platform, with the name dialog replaced by scripted answers.
class EditorFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(temp_.isValid());
    previousDir_ = QDir::currentPath();
    startDir_ = std::filesystem::path(temp_.path().toStdString());
    if (WithLayoutsFolder()) std::filesystem::create_directory(startDir_ / "layouts");
    ASSERT_TRUE(QDir::setCurrent(temp_.path()));
    form_ = std::make_unique<TEditForm>();
    form_->AskText = [this](const QString& caption, const QString& prompt, QString& text) {
      questions_.push_back({caption, prompt, text});
      if (answers_.empty()) {
        ADD_FAILURE() << "unexpected question: " << caption.toStdString();
        return 2;
      }
      const auto [result, answer] = answers_.front();
      answers_.pop_front();
      if (result == 1) text = answer;
      return result;
    };
    form_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
  }

  void TearDown() override {
    form_.reset();
    QDir::setCurrent(previousDir_);
  }

  virtual bool WithLayoutsFolder() const { return true; }

  TEditForm& Form() { return *form_; }
  std::filesystem::path Layouts() const { return startDir_ / "layouts"; }

  // The next question is answered with OK and `text`.
  void AnswerOk(const QString& text) { answers_.emplace_back(1, text); }
  // The next question is cancelled.
  void AnswerCancel() { answers_.emplace_back(2, QString()); }
  const std::vector<Question>& Questions() const { return questions_; }

  // Clicks a control with the left mouse button at its centre (or at `at`).
  static void Click(QWidget* widget, QPoint at = QPoint()) {
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at.isNull() ? widget->rect().center() : at);
  }
  // Clicks a grid cell.
  void ClickCell(int col, int row) {
    Click(Form().Layer_Control, TLayerGrid::CellRect(col, row).center());
  }
  // Double-clicks a grid cell the way the window system delivers it: press, release, press (which
  // the widget sees as a press and a double-click), release.
  void DoubleClickCell(int col, int row) {
    QWidget* grid = Form().Layer_Control;
    QTest::mouseDClick(grid->window()->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                       grid->mapTo(grid->window(), TLayerGrid::CellRect(col, row).center()));
  }
  // Steps the layer spinner once up (or down) with the mouse.
  void StepLayer(bool up) {
    Click(Form().UpDown_Layer, up ? QPoint(6, 3) : QPoint(6, 15));
  }

  // Runs a command that may show a message box; returns what the box showed.
  BoxSeen ClickExpectingBox(QWidget* button) {
    MessageBoxAnswerer answerer;
    Click(button);
    QTest::qWait(1);
    return answerer.Seen();
  }

  static std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
  }
  static void WriteFile(const std::filesystem::path& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary);
    out << content;
  }

 private:
  QTemporaryDir temp_;
  QString previousDir_;
  std::filesystem::path startDir_;
  std::unique_ptr<TEditForm> form_;
  std::deque<std::pair<int, QString>> answers_;
  std::vector<Question> questions_;
};

// The text of a layout file as the editor writes it, from its parts. `layers` holds the row
// strings of layers 1 to 4 (7 each); missing rows are empty.
std::string LayoutFileText(const std::vector<std::string>& infoLines, const std::vector<std::string>& tiles,
                           const std::vector<std::vector<std::string>>& layers = {});

}  // namespace tilvaro::test
