// The system colours follow the application's palette, read at every use.
#include "platform/SysColors.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>

#include "platform/KnownSysColors.h"

namespace tilvaro {
namespace {

class SysColorsTest : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = QApplication::palette(); }
  void TearDown() override {
    QApplication::setPalette(saved_);
    SetSysColorResolver({});
  }
  QPalette saved_;
};

TEST_F(SysColorsTest, NamedColoursComeFromTheirPaletteRoles) {
  const std::pair<SysColor, QPalette::ColorRole> roles[] = {
      {SysColor::BtnFace, QPalette::Button},       {SysColor::BtnHighlight, QPalette::Light},
      {SysColor::BtnShadow, QPalette::Dark},       {SysColor::DkShadow3D, QPalette::Shadow},
      {SysColor::Light3D, QPalette::Midlight},     {SysColor::Window, QPalette::Base},
      {SysColor::WindowText, QPalette::Text},      {SysColor::InfoBk, QPalette::ToolTipBase},
      {SysColor::InfoText, QPalette::ToolTipText}, {SysColor::Highlight, QPalette::Highlight},
  };
  // A grey of its own for each role, unlike any colour of the default palette.
  const auto grey = [](int i) { return QColor(i + 1, i + 1, i + 1); };
  QPalette palette;
  for (int i = 0; i < 10; ++i) palette.setColor(roles[i].second, grey(i));
  QApplication::setPalette(palette);
  InstallSysColorMapping();
  for (int i = 0; i < 10; ++i) EXPECT_EQ(ToQColor(SysColorValue(roles[i].first)), grey(i)) << i;
  // Plain colours pass unchanged, also with the palette-relative bit.
  EXPECT_EQ(ToQColor(RGBColor(0, 191, 191) | kPaletteRelativeFlag), QColor(0, 191, 191));
}

TEST_F(SysColorsTest, PaletteChangesShowAtTheNextUse) {
  InstallSysColorMapping();
  QPalette palette = QApplication::palette();
  for (const QColor& button : {QColor(11, 22, 33), QColor(44, 55, 66)}) {
    palette.setColor(QPalette::Button, button);
    QApplication::setPalette(palette);
    EXPECT_EQ(ToQColor(SysColorValue(SysColor::BtnFace)), button);
  }
}

}  // namespace
}  // namespace tilvaro
