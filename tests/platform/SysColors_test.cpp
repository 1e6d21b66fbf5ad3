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
  QPalette palette;
  palette.setColor(QPalette::Button, QColor(1, 1, 1));
  palette.setColor(QPalette::Light, QColor(2, 2, 2));
  palette.setColor(QPalette::Dark, QColor(3, 3, 3));
  palette.setColor(QPalette::Shadow, QColor(4, 4, 4));
  palette.setColor(QPalette::Midlight, QColor(5, 5, 5));
  palette.setColor(QPalette::Base, QColor(6, 6, 6));
  palette.setColor(QPalette::Text, QColor(7, 7, 7));
  palette.setColor(QPalette::ToolTipBase, QColor(8, 8, 8));
  palette.setColor(QPalette::ToolTipText, QColor(9, 9, 9));
  palette.setColor(QPalette::Highlight, QColor(10, 10, 10));
  QApplication::setPalette(palette);
  InstallSysColorMapping();

  EXPECT_EQ(ResolveColor(SysColorValue(SysColor::BtnFace)), (Rgb{1, 1, 1}));
  EXPECT_EQ(ResolveColor(SysColorValue(SysColor::BtnHighlight)), (Rgb{2, 2, 2}));
  EXPECT_EQ(ResolveColor(SysColorValue(SysColor::BtnShadow)), (Rgb{3, 3, 3}));
  EXPECT_EQ(ResolveColor(SysColorValue(SysColor::DkShadow3D)), (Rgb{4, 4, 4}));
  EXPECT_EQ(ResolveColor(SysColorValue(SysColor::Light3D)), (Rgb{5, 5, 5}));
  EXPECT_EQ(ResolveColor(SysColorValue(SysColor::Window)), (Rgb{6, 6, 6}));
  EXPECT_EQ(ResolveColor(SysColorValue(SysColor::WindowText)), (Rgb{7, 7, 7}));
  EXPECT_EQ(ResolveColor(SysColorValue(SysColor::InfoBk)), (Rgb{8, 8, 8}));
  EXPECT_EQ(ResolveColor(SysColorValue(SysColor::InfoText)), (Rgb{9, 9, 9}));
  EXPECT_EQ(ResolveColor(SysColorValue(SysColor::Highlight)), (Rgb{10, 10, 10}));
  // Plain colours pass unchanged, also with the palette-relative bit.
  EXPECT_EQ(ToQColor(RGBColor(0, 191, 191) | kPaletteRelativeFlag), QColor(0, 191, 191));
}

TEST_F(SysColorsTest, PaletteChangesShowAtTheNextUse) {
  InstallSysColorMapping();
  QPalette palette = QApplication::palette();
  palette.setColor(QPalette::Button, QColor(11, 22, 33));
  QApplication::setPalette(palette);
  EXPECT_EQ(ToQColor(SysColorValue(SysColor::BtnFace)), QColor(11, 22, 33));
  palette.setColor(QPalette::Button, QColor(44, 55, 66));
  QApplication::setPalette(palette);
  EXPECT_EQ(ToQColor(SysColorValue(SysColor::BtnFace)), QColor(44, 55, 66));
}

}  // namespace
}  // namespace tilvaro
