// Drop-down menus of the toolbar button, driven with real events while the menu is open.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QWhatsThis>
#include <QWindow>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

#include "hints/ApplicationHint.h"
#include "button/DropdownList.h"
#include "button/ToolbarButton97.h"
#include "support/ModalDriver.h"
#include "support/WindowMouse.h"

namespace tilvaro {
namespace {

const QPoint kAt(10, 10);

class ButtonDropdownTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<QWidget>();
    window_->setGeometry(40, 40, 300, 150);
    button_ = new TToolbarButton97(window_.get());
    button_->setGeometry(20, 10, 60, 24);
    other_ = new TToolbarButton97(window_.get());
    other_->setGeometry(200, 100, 60, 24);
    menu_ = new QMenu(window_.get());
    for (const char* text : {"Erster", "Zweiter"}) {
      QAction* item = menu_->addAction(QString::fromLatin1(text));
      item->setStatusTip(QStringLiteral("Hinweis ") + QString::fromLatin1(text));
      QObject::connect(item, &QAction::triggered, [this, item] { chosen_ = item->text(); });
    }
    button_->SetDropdownMenu(menu_);
    button_->OnClick = [this](QObject*) { log_ += "Click "; };
    button_->OnMouseDown = [this](QObject*, Qt::MouseButton, TShiftState, int, int) { log_ += "Down "; };
    button_->OnDropdown = [this](QObject*, bool& show, bool& remove) {
      log_ += "Dropdown ";
      if (onDropdown_) onDropdown_(show, remove);
    };
    other_->OnMouseDown = [this](QObject*, Qt::MouseButton, TShiftState, int, int) { log_ += "OtherDown "; };
    window_->show();
    QApplication::setActiveWindow(window_.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  }

  // Runs `whileOpen` once the menu is up (it must close the menu) and returns where it opened.
  QPoint OpenWith(const std::function<void()>& open, const std::function<void(QMenu&)>& whileOpen) {
    QPoint at(-1, -1);
    QTimer once;  // a local timer: it cannot fire after this function when no menu opened
    once.setSingleShot(true);
    QObject::connect(&once, &QTimer::timeout, [&] {
      auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (popup == nullptr) return;
      at = popup->pos();
      stateWhileOpen_ = button_->State();
      arrowWhileOpen_ = button_->ArrowPartPressed();
      whileOpen(*popup);
      if (popup->isVisible()) popup->close();
    });
    once.start(0);
    open();
    QApplication::processEvents();
    return at;
  }
  // Opens the menu with a press on the button, runs `whileOpen`, then releases.
  QPoint PressOpen(const std::function<void(QMenu&)>& whileOpen) {
    const QPoint at = OpenWith([&] { test::Press(button_, kAt); }, whileOpen);
    test::Release(button_, kAt);
    return at;
  }
  void Choose(QMenu& menu) {
    QTest::keyClick(&menu, Qt::Key_Down);
    QTest::keyClick(&menu, Qt::Key_Return);
  }

  std::unique_ptr<QWidget> window_;
  TToolbarButton97* button_ = nullptr;
  TToolbarButton97* other_ = nullptr;
  QMenu* menu_ = nullptr;
  std::string log_;
  QString chosen_;
  std::function<void(bool&, bool&)> onDropdown_;
  ButtonState stateWhileOpen_ = ButtonState::Up;
  bool arrowWhileOpen_ = false;
};

TEST_F(ButtonDropdownTest, PressClicksThenOpensTheMenuAtTheBottomLeftCornerInEitherDirectionAndRunsTheChoice) {
  for (Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft}) {
    SCOPED_TRACE(direction);
    menu_->setLayoutDirection(direction);
    log_.clear();
    chosen_.clear();
    EXPECT_EQ(PressOpen([&](QMenu& menu) { Choose(menu); }), button_->mapToGlobal(QPoint(0, button_->height())));
    EXPECT_EQ(stateWhileOpen_, ButtonState::Down) << "the whole face is pressed while open";
    EXPECT_EQ(chosen_, QStringLiteral("Erster"));
    EXPECT_EQ(log_, "Down Click Dropdown ") << "one click, at the press";
    EXPECT_FALSE(button_->ArrowPartPressed());
    EXPECT_EQ(menu_->layoutDirection(), direction) << "the menu keeps its direction";
  }
}

TEST_F(ButtonDropdownTest, ComboOpensOnlyFromItsArrowPartWithoutOnClick) {
  button_->SetDropdownCombo(true);  // 60 + 11 wide: the arrow part starts at x 60
  OpenWith([&] { test::Press(button_, QPoint(62, 10)); }, [](QMenu&) {});
  EXPECT_EQ(log_, "Down Dropdown ");
  EXPECT_TRUE(arrowWhileOpen_) << "only the arrow part is drawn pressed";
  test::Release(button_, QPoint(62, 10));

  log_.clear();
  test::Click(button_, QPoint(30, 10));
  EXPECT_EQ(log_, "Down Click ") << "the main part is an ordinary button";
}

TEST_F(ButtonDropdownTest, FailingOnClickEndsTheClickBeforeItsErrorShowsAndOpensNoMenu) {
  button_->OnClick = [](QObject*) { throw std::runtime_error("Kaputt"); };
  ButtonState stateWhileBoxShows = ButtonState::Down;
  test::ModalDriver answer([&](QWidget* box) {
    stateWhileBoxShows = button_->State();
    box->close();
  });
  bool opened = false;
  OpenWith([&] { test::Click(button_, kAt); }, [&](QMenu&) { opened = true; });
  EXPECT_TRUE(answer.Ran());
  EXPECT_NE(stateWhileBoxShows, ButtonState::Down) << "the box shows the face up";
  EXPECT_FALSE(opened);
  EXPECT_EQ(log_, "Down ") << "no OnDropdown after the failure";
}

TEST_F(ButtonDropdownTest, HandlerMayKeepTheMenuShutAndAlwaysButtonsHaveNoMenu) {
  onDropdown_ = [](bool& show, bool&) { show = false; };
  bool opened = false;
  OpenWith([&] { test::Click(button_, kAt); }, [&](QMenu&) { opened = true; });
  EXPECT_FALSE(opened);
  EXPECT_EQ(log_, "Down Click Dropdown ");

  bool showOffered = true;
  other_->SetDropdownAlways(true);
  other_->OnDropdown = [&](QObject*, bool& show, bool&) { showOffered = show; };
  test::Click(other_, kAt);
  EXPECT_FALSE(showOffered);
}

// Qt hands the press that closed a menu on to the widget under the pointer by posting it again;
// the post comes before the drop-down ends. Such presses are posted here from OnDropdown.
void PostClick(QWidget* target) {
  QWindow* window = target->window()->windowHandle();
  const QPoint local = test::InWindow(target, kAt), global = target->window()->mapToGlobal(local);
  QCoreApplication::postEvent(window, new QMouseEvent(QEvent::MouseButtonPress, local, global, Qt::LeftButton,
                                                      Qt::LeftButton, Qt::NoModifier));
  QCoreApplication::postEvent(window, new QMouseEvent(QEvent::MouseButtonRelease, local, global, Qt::LeftButton,
                                                      Qt::NoButton, Qt::NoModifier));
}

TEST_F(ButtonDropdownTest, PressesPostedOnTheButtonAreDroppedUnlessKeptOthersArrive) {
  int dropdowns = 0;
  for (auto [keep, expected] : {std::pair{false, "Down Click Dropdown OtherDown "},
                                 {true, "Down Click Dropdown Down Click Dropdown OtherDown "}}) {
    SCOPED_TRACE(keep);
    dropdowns = 0;
    onDropdown_ = [&, keep = keep](bool& show, bool& remove) {
      show = false;
      remove = !keep;
      if (++dropdowns == 1) PostClick(button_), PostClick(other_);
    };
    log_.clear();
    test::Click(button_, kAt);
    QApplication::processEvents();
    EXPECT_EQ(log_, expected);
  }
}

TEST_F(ButtonDropdownTest, PressOnTheButtonClosesItsMenuWithoutReopeningItAPressElsewhereReachesItsTarget) {
  OpenWith([&] { test::Press(button_, kAt); }, [&](QMenu&) { test::Press(button_, QPoint(12, 12)); });
  test::Release(button_, QPoint(12, 12));
  QApplication::processEvents();
  EXPECT_EQ(log_, "Down Click Dropdown ");

  // The press elsewhere reaches its target as one whole click, whether its release comes before
  // the handed-on press is delivered, after it, or while the menu is still closing.
  other_->OnMouseUp = [this](QObject*, Qt::MouseButton, TShiftState, int, int) { log_ += "OtherUp "; };
  other_->OnClick = [this](QObject*) { log_ += "OtherClick "; };
  const auto release = [&] { test::Release(other_, kAt); };
  const auto settle = [] { QApplication::processEvents(); };
  const struct {
    bool releaseWhileOpen;
    std::vector<std::function<void()>> after;
  } orders[] = {{false, {release, settle}}, {false, {settle, release, settle}}, {true, {settle}}};
  for (const auto& order : orders) {
    SCOPED_TRACE(&order - orders);
    log_.clear();
    OpenWith([&] { test::Press(button_, kAt); }, [&](QMenu&) {
      test::Press(other_, kAt);
      if (order.releaseWhileOpen) release();
    });
    for (const auto& step : order.after) step();
    EXPECT_EQ(log_, "Down Click Dropdown OtherDown OtherUp OtherClick ");
  }
}

TEST_F(ButtonDropdownTest, EnterOnAPlainDropdownButtonOpensTheMenu) {
  button_->SetDefault(true);
  bool opened = false;
  OpenWith([&] { QTest::keyClick(window_.get(), Qt::Key_Return); }, [&](QMenu&) { opened = true; });
  EXPECT_TRUE(opened);
}

TEST_F(ButtonDropdownTest, HoveredItemSetsTheApplicationHintUntilTheMenuClosesAndF1ShowsItsHelp) {
  ApplicationHint& hint = ApplicationHint::Instance();
  hint.SetText(QString());
  QSignalSpy changed(&hint, &ApplicationHint::Changed);
  menu_->actions().at(0)->setWhatsThis(QStringLiteral("Hilfe zum ersten Eintrag"));
  bool helpShown = false;
  PressOpen([&](QMenu& menu) {
    QTest::keyClick(&menu, Qt::Key_Down);
    EXPECT_EQ(hint.Text(), QStringLiteral("Hinweis Erster"));
    QTest::keyClick(&menu, Qt::Key_F1);
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (top->isVisible() && top != &menu && top->windowType() == Qt::Popup) helpShown = true;
    }
    QWhatsThis::hideText();
  });
  EXPECT_EQ(hint.Text(), QString()) << "closing the menu clears the hint";
  EXPECT_EQ(changed.count(), 2);
  EXPECT_TRUE(helpShown);
}

TEST_F(ButtonDropdownTest, DestroyedMenuLeavesTheRegistryAndTheButton) {
  TDropdownList& list = TDropdownList::Instance();
  ASSERT_TRUE(list.Contains(menu_));
  const int count = list.Count();
  delete menu_;
  EXPECT_EQ(list.Count(), count - 1);
  EXPECT_EQ(button_->DropdownMenu(), nullptr);
  EXPECT_FALSE(button_->HasDropdown());
  log_.clear();
  test::Click(button_, kAt);
  EXPECT_EQ(log_, "Down Click ");
}

}  // namespace
}  // namespace tilvaro
