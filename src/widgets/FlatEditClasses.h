#pragma once
// The process-wide list of control classes that count as flat edits, a slot of the controls'
// runtime. A hovered flat edit sinks its frame only while the focused control is not a flat edit,
// so that moving the pointer across a column of edits does not take the look of focus away from
// the one being typed into.
//
// A class is in the list while it is registered at least as often as it was unregistered; the flat
// edit registers its class with its first instance and unregisters it with its last.

#include <QMetaObject>

class QWidget;

namespace tilvaro {

namespace FlatEditClasses {

void Register(const QMetaObject& type);
void Unregister(const QMetaObject& type);
bool IsRegistered(const QMetaObject& type);
// Not null, and its class or one of its base classes is registered.
bool Counts(const QWidget* widget);

}  // namespace FlatEditClasses

}  // namespace tilvaro
