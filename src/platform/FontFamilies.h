#pragma once
// Which font families are installed, answered from the font database's list of families.
//
// Asking the font database for a family that is not installed makes it search the installed
// fonts for a stand-in, which costs about as much as loading a font. Controls that name a face
// with fallbacks ("Verdana", else "DejaVu Sans") therefore pass only the installed ones on.

#include <QString>
#include <QStringList>

namespace tilvaro {

// Whether `family` is installed (names compared without regard to case).
bool FontFamilyInstalled(const QString& family);

// The installed families of `wanted`, in order; when none is installed, `wanted` as it is, so
// that the font database's own substitution still has the names to go by.
QStringList InstalledFamilies(const QStringList& wanted);

}  // namespace tilvaro
