#pragma once
// Answering modal dialogs and message boxes in widget tests: a test sets up the answer, then runs
// the code that opens the modal window and waits on it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>

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

}  // namespace tilvaro::test
