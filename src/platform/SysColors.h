#pragma once
// The named system colours of the controls, taken from the application's palette.
//
// The mapping is read every time a colour is resolved, so a palette change shows at the next
// paint without any cache to invalidate. Palette roles used:
//   button face      QPalette::Button       button text      QPalette::ButtonText
//   button highlight QPalette::Light        button shadow    QPalette::Dark
//   3D light         QPalette::Midlight     3D dark shadow   QPalette::Shadow
//   window           QPalette::Base         window text      QPalette::Text
//   window frame     QPalette::WindowText   grey text        QPalette::Disabled, QPalette::Text
//   highlight        QPalette::Highlight    highlight text   QPalette::HighlightedText
//   info background  QPalette::ToolTipBase  info text        QPalette::ToolTipText
// Dark rather than Mid for the shadow: in the usual palettes Dark is the colour of a sunken
// edge's line, and Mid lies too close to the button face for a one-pixel emboss to read.

#include <QColor>
#include <QPalette>

#include "platform/raster/Color.h"

namespace tilvaro {

// The palette colour that stands for a system colour.
QColor SysColorFromPalette(const QPalette& palette, SysColor color);

// Makes every system colour resolve through the application's current palette. The editor calls
// this once at start-up; tests may install a resolver of their own afterwards.
void InstallSysColorMapping();

// A colour as Qt draws it: system colours resolved through the installed mapping.
QColor ToQColor(TColor color);

}  // namespace tilvaro
