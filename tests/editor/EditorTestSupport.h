#pragma once
// Helpers for the editor's widget tests: a temporary start folder, a shown editor window and
// scripted answers for the name dialog.

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
#include "support/ModalDriver.h"
#include "widgets/LayerGrid.h"
#include "widgets/ScrollBar.h"
#include "widgets/UpDown.h"

namespace tilvaro::test {

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
    form_->AskText = [this](const QString& caption, const QString& prompt, QString& text, const QStringList&) {
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
