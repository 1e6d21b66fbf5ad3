#pragma once
// The accessibility factory of the programs: which accessible interface each widget class of ours
// gets, in one table (AccessibleFactory.cpp). A new widget class gets its row there.
//
// Qt asks the factory only when an assistive tool (or Qt's own bridge to one) wants an object's
// interface, and asks again for each base class until someone answers; a row without a maker leaves
// the widget to Qt's interface for its Qt base class. Installing it makes nothing, so it costs
// nothing at start-up while no assistive tool runs.

namespace tilvaro {

// Installs the factory. Call once after the QApplication is made, so that it is asked before Qt's
// own factory; calling it again changes nothing.
void InstallAccessibleFactory();

}  // namespace tilvaro
