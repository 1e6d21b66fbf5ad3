#pragma once
// The names that assistive tools read for the editor window's controls beyond their own texts:
// the edits, the scroll bars, the spinner and the tile list are named by the labels beside them
// (with the label relation), the two links by where they lead, the grid by the layer it shows.

#include <QString>

namespace tilvaro {

class TEditForm;

void NameEditFormControls(TEditForm& form);

// The grid's name while it shows `layer`: "Ebene 2".
QString LayerGridName(int layer);

}  // namespace tilvaro
