#pragma once
// Starting another program: detached from this one, with its arguments as a list, never through a
// shell, so no argument is ever read as a command.

#include <QString>
#include <QStringList>

namespace tilvaro {

// True when `program` (a path) was started; false when it could not be executed.
bool StartDetached(const QString& program, const QStringList& arguments);

}  // namespace tilvaro
