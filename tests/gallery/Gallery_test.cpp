// The controls gallery: its controls under their names, and the event log's lines.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <sstream>
#include <string>

#include "widgets/Edit97.h"
#include "hints/Hint95.h"
#include "button/ToolbarButton97.h"
#include "gallery/EventLog.h"
#include "gallery/GalleryWindow.h"

namespace tilvaro {
namespace {

class GalleryTest : public ::testing::Test {
 protected:
  std::ostringstream out_;
  std::int64_t now_ = 0;
  TEventLog log_{&out_, [this] { return now_; }};
  TGalleryWindow window_{log_};
};

TEST_F(GalleryTest, HoldsEveryControlUnderItsName) {
  EXPECT_EQ(window_.windowTitle(), QStringLiteral("Tilvaro - Steuerelemente"));
  const std::pair<const char*, const char*> buttons[] = {
      {"Btn_Group1", "Eins"}, {"Btn_Group2", "Zwei"}, {"Btn_Group3", "Drei"},
      {"Btn_AllUp1", nullptr},   {"Btn_AllUp2", nullptr},   {"Btn_Repeat", nullptr}, {"Btn_Raised", nullptr},
      {"Btn_NoBorder", nullptr}, {"Btn_Glyphs5", nullptr},  {"Btn_Disabled", nullptr},
      {"Btn_Dropdown", nullptr}, {"Btn_Combo", nullptr},    {"Btn_Always", nullptr},
      {"Btn_Default", "&Übernehmen"}, {"Btn_Cancel", "Abbruch"}};
  for (const auto& [name, caption] : buttons) {
    SCOPED_TRACE(name);
    auto* button = window_.findChild<TToolbarButton97*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr);
    if (caption != nullptr) {
      EXPECT_EQ(button->Caption(), QString::fromUtf8(caption));
    }
  }
  EXPECT_EQ(window_.Btn_Glyphs5->NumGlyphs(), 5);
  EXPECT_FALSE(window_.Btn_Disabled->isEnabled());
  EXPECT_FALSE(window_.Btn_Disabled->Glyph().isNull());
  EXPECT_FALSE(window_.Btn_Raised->Flat());
  for (const char* edit : {"Edit_First", "Edit_Second"})
    EXPECT_NE(window_.findChild<TEdit97*>(QString::fromLatin1(edit)), nullptr) << edit;
  EXPECT_EQ(window_.findChild<QCheckBox*>(QStringLiteral("CBX_Plain"))->focusPolicy(), Qt::StrongFocus);
  QStringList items, hints;
  for (const QAction* action : window_.DropdownMenu->actions()) {
    items << action->text();
    hints << action->statusTip();
  }
  EXPECT_EQ(items, QStringList({"Erster", "Zweiter", "Dritter"}));
  EXPECT_EQ(hints, QStringList({"Hinweis 1", "Hinweis 2", "Hinweis 3"}));
}

TEST_F(GalleryTest, LogsPlacesThenReadyThenTimedEvents) {
  window_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  window_.LogGeometry();
  std::istringstream lines(out_.str());
  std::string line;
  for (const QWidget* control : window_.Controls()) {
    std::getline(lines, line);
    const QPoint at = control->mapTo(&window_, QPoint(0, 0));
    EXPECT_EQ(line, QStringLiteral("geometry %1 %2 %3 %4 %5").arg(control->objectName()).arg(at.x())
                        .arg(at.y()).arg(control->width()).arg(control->height()).toStdString());
  }
  std::getline(lines, line);
  EXPECT_EQ(line, "ready");
  EXPECT_EQ(window_.Controls().size(), 18u);

  out_.str("");
  now_ = 1234;
  QTest::mouseClick(window_.Btn_Group2, Qt::LeftButton);
  EXPECT_NE(out_.str().find("1234 Btn_Group2 OnClick\n"), std::string::npos) << out_.str();
  out_.str("");
  window_.DropdownMenu->actions().at(1)->hover();
  window_.DropdownMenu->actions().at(1)->trigger();
  EXPECT_EQ(out_.str(), "1234 Hint Hinweis 2\n1234 Menu Zweiter\n");
  // The last events show under the controls too, the newest at the bottom.
  const QStringList shown = window_.Lbl_Events->text().split(QLatin1Char('\n'));
  EXPECT_EQ(shown.size(), TGalleryWindow::kShownEvents) << "only the last ones";
  EXPECT_EQ(shown.back(), QStringLiteral("1234 Menu Zweiter"));

  // Every button has a hint, shown in the office look; each hint shown is logged.
  for (const auto* button : window_.findChildren<TToolbarButton97*>()) {
    EXPECT_FALSE(button->Hint().isEmpty()) << button->objectName().toStdString();
  }
  EXPECT_EQ(window_.Hint95->HintStyle(), THintStyle::hsOffice97);
  out_.str("");
  QString text = QStringLiteral("Öffnet ein Menü");
  bool canShow = true;
  THintInfo info;
  window_.Hint95->OnShowHint(text, canShow, info);
  EXPECT_EQ(out_.str(), "1234 Shows hint \xC3\x96" "ffnet ein Men\xC3\xBC\n");
}

TEST(EventLog, WithoutAnOutputRecordsNothingAndHandlersTakeAnyArguments) {
  TEventLog silent(nullptr);
  silent.Ready();  // no stream, no crash
  std::ostringstream out;
  TEventLog log(&out, [] { return std::int64_t{7}; });
  QObject sender;
  sender.setObjectName(QStringLiteral("Btn_X"));
  std::function<void(QObject*, bool&, bool&)> dropdown = log.Handler("OnDropdown");
  bool show = true, remove = false;
  dropdown(&sender, show, remove);
  log.MenuChosen(QStringLiteral("&Erster"));
  EXPECT_EQ(out.str(), "7 Btn_X OnDropdown\n7 Menu Erster\n");
}

}  // namespace
}  // namespace tilvaro
