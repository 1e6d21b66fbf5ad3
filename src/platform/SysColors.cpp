#include "platform/SysColors.h"

#include <QGuiApplication>

namespace tilvaro {

QColor SysColorFromPalette(const QPalette& palette, SysColor color) {
  switch (color) {
    case SysColor::Window: return palette.color(QPalette::Active, QPalette::Base);
    case SysColor::WindowFrame: return palette.color(QPalette::Active, QPalette::WindowText);
    case SysColor::WindowText: return palette.color(QPalette::Active, QPalette::Text);
    case SysColor::Highlight: return palette.color(QPalette::Active, QPalette::Highlight);
    case SysColor::HighlightText: return palette.color(QPalette::Active, QPalette::HighlightedText);
    case SysColor::BtnFace: return palette.color(QPalette::Active, QPalette::Button);
    case SysColor::BtnShadow: return palette.color(QPalette::Active, QPalette::Dark);
    case SysColor::GrayText: return palette.color(QPalette::Disabled, QPalette::Text);
    case SysColor::BtnText: return palette.color(QPalette::Active, QPalette::ButtonText);
    case SysColor::BtnHighlight: return palette.color(QPalette::Active, QPalette::Light);
    case SysColor::DkShadow3D: return palette.color(QPalette::Active, QPalette::Shadow);
    case SysColor::Light3D: return palette.color(QPalette::Active, QPalette::Midlight);
    case SysColor::InfoText: return palette.color(QPalette::Active, QPalette::ToolTipText);
    case SysColor::InfoBk: return palette.color(QPalette::Active, QPalette::ToolTipBase);
  }
  // Colours the controls never name: the palette's button face keeps them inconspicuous.
  return palette.color(QPalette::Active, QPalette::Button);
}

void InstallSysColorMapping() {
  SetSysColorResolver([](SysColor color) {
    const QColor c = SysColorFromPalette(QGuiApplication::palette(), color);
    return Rgb{static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
               static_cast<std::uint8_t>(c.blue())};
  });
}

QColor ToQColor(TColor color) {
  const Rgb rgb = ResolveColor(color);
  return QColor(rgb.r, rgb.g, rgb.b);
}

}  // namespace tilvaro
