// The hint component's font and the application's hint machinery on a clock the test runs.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QToolTip>
#include <QWidget>
#include <QWindow>
#include <string>
#include <tuple>

#include "hints/Hint95.h"
#include "hints/HintMachinery.h"
#include "hints/HintWindow95.h"
#include "hints/HintedControl.h"

namespace tilvaro {
namespace {

// Fonts as the test says: the status-bar font's face, whether Tahoma is installed, how often asked.
struct FakeFonts {
  QString statusFace = QStringLiteral("MS Sans Serif");
  bool tahoma = true;
  int asked = 0;
  THint95::FontSource Source() {
    THint95::FontSource source;
    source.statusFont = [this] {
      QFont font(statusFace);
      font.setPixelSize(11);
      return font;
    };
    source.isInstalled = [this](const QString& family) {
      ++asked;
      return tahoma && family == QStringLiteral("Tahoma");
    };
    source.dotsPerInch = [] { return 96.0; };
    return source;
  }
};

QString Face(const THint95& hints) { return hints.HintFont().font.family(); }

// Only the exact classic face is replaced, and only where Tahoma is installed.
TEST(Hint95FontTest, TahomaStandsInForTheClassicStatusFaceInTheOfficeLookOnly) {
  struct Case {
    const char* face;
    bool tahoma;
    const char* office;
  };
  for (const Case& c : {Case{"MS Sans Serif", true, "Tahoma"}, Case{"Verdana", true, "Verdana"},
                        Case{"ms sans serif", true, "ms sans serif"}, Case{"MS Sans Serif", false, "MS Sans Serif"}}) {
    SCOPED_TRACE(std::string(c.face) + (c.tahoma ? " with Tahoma" : " without Tahoma"));
    QObject owner;
    FakeFonts fonts{QString::fromLatin1(c.face), c.tahoma};
    THint95 hints(&owner, fonts.Source());
    if (c.office == std::string("Tahoma")) {
      EXPECT_TRUE(hints.TahomaInstalled());
    }
    EXPECT_EQ(Face(hints), QString::fromLatin1(c.face));  // made in the Windows 95 look
    hints.SetHintStyle(THintStyle::hsOffice97);
    EXPECT_EQ(Face(hints), QString::fromLatin1(c.office));
    hints.SetHintStyle(THintStyle::hsFlat);  // keeps the substitute until the fonts are read again
    EXPECT_EQ(Face(hints), QString::fromLatin1(c.office));
    hints.ReadSystemHintFont();
    EXPECT_EQ(Face(hints), QString::fromLatin1(c.face));
  }
}

// The hint font is read again when a theme change reaches a window or the application font
// changes; other events leave it alone.
TEST(Hint95FontTest, ThemeAndApplicationFontChangesReadTheFontAgain) {
  QObject owner;
  FakeFonts fonts{QStringLiteral("Verdana")};
  THint95 hints(&owner, fonts.Source());
  QWidget window;
  window.winId();  // a native window, which theme changes reach
  QEvent themeChange(QEvent::ThemeChange);
  QEvent fontChange(QEvent::ApplicationFontChange);
  fonts.statusFace = QStringLiteral("Arial");
  QCoreApplication::sendEvent(&owner, &fontChange);  // not the application: ignored
  EXPECT_EQ(Face(hints), QStringLiteral("Verdana"));
  QCoreApplication::sendEvent(window.windowHandle(), &themeChange);
  EXPECT_EQ(Face(hints), QStringLiteral("Arial"));
  fonts.statusFace = QStringLiteral("Courier");
  QCoreApplication::sendEvent(QCoreApplication::instance(), &fontChange);
  EXPECT_EQ(Face(hints), QStringLiteral("Courier"));
}

TEST(Hint95FontTest, TahomaIsLookedForOnlyWhenNeededAndAgainAfterAFontChange) {
  QObject owner;
  FakeFonts fonts{QStringLiteral("Verdana"), false};
  THint95 hints(&owner, fonts.Source());
  hints.SetHintStyle(THintStyle::hsOffice97);
  EXPECT_EQ(fonts.asked, 0);  // another status face: the installed fonts are never searched
  EXPECT_FALSE(hints.TahomaInstalled());
  fonts.tahoma = true;
  EXPECT_FALSE(hints.TahomaInstalled());  // the answer stands until the fonts change
  hints.CheckTahoma();
  EXPECT_TRUE(hints.TahomaInstalled());
  EXPECT_EQ(fonts.asked, 2);
}

TEST(Hint95FontTest, StatusFontGivesHeightInPixelsAndBoldOnlyAboveWeight500) {
  QFont status(QStringLiteral("Verdana"));
  status.setPointSize(9);
  status.setWeight(QFont::Medium);  // 500
  status.setItalic(true);
  status.setStrikeOut(true);
  const QFont font = THint95::FontFromStatusFont(status, 96.0);
  EXPECT_EQ(font.pixelSize(), 12);
  EXPECT_EQ(std::tuple(font.bold(), font.italic(), font.strikeOut(), font.underline()),
            std::tuple(false, true, true, false));
  status.setWeight(QFont::DemiBold);  // 600
  EXPECT_TRUE(THint95::FontFromStatusFont(status, 96.0).bold());
}

// A clock that moves only when the test says so.
class TestClock : public HintMachinery::Clock {
 public:
  HintScheduler::Time Now() const override { return now; }
  void WakeIn(int delayMs) override { wake = now + delayMs; }
  void Stop() override { wake.reset(); }
  // Advances to `time`, expiring the machinery's timer on the way when it is due.
  void RunTo(HintMachinery& machinery, HintScheduler::Time time) {
    while (wake && *wake <= time) {
      now = *wake;
      wake.reset();
      machinery.TimerExpired();
    }
    now = time;
  }
  HintScheduler::Time now = 0;
  std::optional<HintScheduler::Time> wake;
};

// A control that decides about its own hint, as the toolbar button does.
class HintedWidget : public QWidget, public HintedControl {
 public:
  HintedWidget(QWidget* parent, const char* hint, bool shows) : QWidget(parent), hint_(hint), shows_(shows) {}
  bool ShowsOwnHint() const override { return shows_; }
  QString OwnHintText() const override { return hint_; }

 private:
  QString hint_;
  bool shows_;
};

class HintMachineryTest : public ::testing::Test {
 protected:
  HintMachineryTest() {
    window.resize(200, 100);
    machinery.SetClock(&clock);
  }
  ~HintMachineryTest() override { machinery.SetClock(nullptr); }

  bool HintShows() const { return machinery.HintWindow() != nullptr && machinery.HintWindow()->isVisible(); }
  QString HintText() const { return static_cast<THintWindow95*>(machinery.HintWindow())->Text(); }
  // The pointer comes to rest on `control` and the clock runs on to `time`.
  void Hover(QWidget* control, HintScheduler::Time time) {
    machinery.PointerOver(control);
    clock.RunTo(machinery, time);
  }

  QWidget window;
  QWidget* button = new HintedWidget(&window, "Neues Layout", true);
  QWidget* quiet = new HintedWidget(&window, "Aktion abbrechen", false);
  QLabel* label = new QLabel(QStringLiteral("Name:"), &window);
  FakeFonts fonts;
  THint95 hints{&window, fonts.Source()};
  HintMachinery& machinery = HintMachinery::Instance();
  TestClock clock;
};

TEST_F(HintMachineryTest, ShowsAfterTheComponentsPauseAndHidesAfterItsHidePause) {
  Hover(button, 499);
  EXPECT_FALSE(HintShows());
  clock.RunTo(machinery, 500);
  ASSERT_TRUE(HintShows());
  EXPECT_EQ(HintText(), QStringLiteral("Neues Layout"));
  EXPECT_EQ(THint95Shared::Get().LastHintControl.data(), button);
  clock.RunTo(machinery, 5499);
  EXPECT_TRUE(HintShows());
  clock.RunTo(machinery, 5500);
  EXPECT_FALSE(HintShows());
}

TEST_F(HintMachineryTest, ControlsWithoutAShownHintShowNone) {
  Hover(label, 1000);
  EXPECT_FALSE(HintShows());
  Hover(quiet, 2000);  // has a hint, but ShowHint is off
  EXPECT_FALSE(HintShows());
}

TEST_F(HintMachineryTest, LeavingTheControlOrAKeyPressHidesTheHint) {
  Hover(button, 500);
  machinery.PointerOver(label);
  EXPECT_FALSE(HintShows());
  Hover(button, 600);  // back within the moment: the short pause
  ASSERT_TRUE(HintShows());
  QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
  QCoreApplication::sendEvent(&window, &key);
  EXPECT_FALSE(HintShows());
}

TEST_F(HintMachineryTest, ShowHintHandlerMayChangeTextAndWidthOrRefuse) {
  hints.OnShowHint = [](QString& text, bool&, THintInfo& info) {
    text += QStringLiteral("!");
    info.HintMaxWidth = 123;
  };
  Hover(button, 500);
  EXPECT_EQ(HintText(), QStringLiteral("Neues Layout!"));
  EXPECT_EQ(THint95Shared::Get().LastHintMaxWidth, 123);

  machinery.CancelHint();
  hints.OnShowHint = [](QString&, bool& canShow, THintInfo&) { canShow = false; };
  Hover(button, 2000);
  EXPECT_FALSE(HintShows());
}

TEST_F(HintMachineryTest, QtsOwnToolTipsNeverShow) {
  label->setToolTip(QStringLiteral("Qt tool tip"));
  QHelpEvent help(QEvent::ToolTip, QPoint(1, 1), label->mapToGlobal(QPoint(1, 1)));
  QCoreApplication::sendEvent(label, &help);
  EXPECT_FALSE(QToolTip::isVisible());
}

}  // namespace
}  // namespace tilvaro
