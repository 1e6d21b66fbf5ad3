// The general widgets show where the keyboard focus is: the scroll bar highlights its thumb, the
// spinner and the list box (empty, or with nothing selected) draw a dotted focus frame.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "widgets/ListBox.h"
#include "widgets/ScrollBar.h"
#include "widgets/UpDown.h"

namespace tilvaro {
namespace {

class FocusShownTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<QWidget>();
    window_->resize(300, 200);
    bar_ = new TScrollBar(Qt::Horizontal, window_.get());
    bar_->setGeometry(10, 10, 185, 13);
    bar_->setRange(1, 4);
    spinner_ = new TUpDown(window_.get());
    spinner_->setGeometry(10, 40, 13, 19);
    list_ = new TListBox(window_.get());
    list_->setGeometry(10, 70, 121, 89);
    other_ = new QLineEdit(window_.get());
    other_->setGeometry(150, 40, 100, 22);
    window_->show();
    QApplication::setActiveWindow(window_.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  }

  // How the widget looks without and with the keyboard focus.
  std::pair<QImage, QImage> Looks(QWidget* widget) {
    other_->setFocus();
    QApplication::processEvents();
    const QImage without = widget->grab().toImage();
    widget->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(widget->hasFocus());
    return {without, widget->grab().toImage()};
  }

  std::unique_ptr<QWidget> window_;
  TScrollBar* bar_ = nullptr;
  TUpDown* spinner_ = nullptr;
  TListBox* list_ = nullptr;
  QLineEdit* other_ = nullptr;
};

TEST_F(FocusShownTest, ScrollBarsSpinnersAndUnselectedListBoxesShowTheFocus) {
  for (QWidget* widget : std::initializer_list<QWidget*>{bar_, spinner_, list_, nullptr}) {
    if (!widget) {  // the list box again, now with items but nothing selected
      list_->AddItem(QStringLiteral("Klassik"));
      list_->AddItem(QStringLiteral("Modern"));
      list_->SetItemIndex(-1);
      widget = list_;
    }
    const auto [without, with] = Looks(widget);
    EXPECT_NE(without, with) << widget->metaObject()->className() << " " << list_->count();
  }
}

}  // namespace
}  // namespace tilvaro
