#pragma once
// Distinct colours for every palette role that the controls paint with, so that a pixel of a
// grabbed control names the role it came from. The system colours follow this palette once it is
// the application's (InstallSysColorMapping).

#include <QColor>
#include <QPalette>

namespace tilvaro::test {

inline QPalette TestPalette() {
  QPalette pal;
  pal.setColor(QPalette::Button, QColor(192, 192, 192));
  pal.setColor(QPalette::Window, QColor(10, 120, 10));
  pal.setColor(QPalette::Base, QColor(255, 255, 240));
  pal.setColor(QPalette::Light, QColor(255, 255, 255));
  pal.setColor(QPalette::Dark, QColor(128, 128, 128));
  pal.setColor(QPalette::Midlight, QColor(223, 223, 223));
  pal.setColor(QPalette::Shadow, QColor(0, 0, 0));
  pal.setColor(QPalette::ButtonText, QColor(0, 0, 0));
  return pal;
}

}  // namespace tilvaro::test
