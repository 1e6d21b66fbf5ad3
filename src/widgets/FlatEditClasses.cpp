#include "widgets/FlatEditClasses.h"

#include <QWidget>
#include <algorithm>
#include <utility>
#include <vector>

#include "runtime/ControlsRuntime.h"

namespace tilvaro::FlatEditClasses {
namespace {

// Each class with its registration count; a class leaves the list when the count reaches 0. A slot
// of the controls' runtime; asking about a class never makes it.
using ClassList = std::vector<std::pair<const QMetaObject*, int>>;
struct RegisteredClasses {
  ClassList classes;
};

ClassList* Existing() {
  RegisteredClasses* registered = ControlsRuntime::FindExisting<RegisteredClasses>();
  return registered != nullptr ? &registered->classes : nullptr;
}

ClassList::iterator Find(ClassList& classes, const QMetaObject& type) {
  return std::find_if(classes.begin(), classes.end(), [&](const auto& entry) { return entry.first == &type; });
}

}  // namespace

void Register(const QMetaObject& type) {
  ClassList& classes = ControlsRuntime::Instance().Slot<RegisteredClasses>().classes;
  const auto it = Find(classes, type);
  if (it == classes.end()) {
    classes.emplace_back(&type, 1);
  } else {
    ++it->second;
  }
}

void Unregister(const QMetaObject& type) {
  ClassList* classes = Existing();
  if (classes == nullptr) return;
  const auto it = Find(*classes, type);
  if (it != classes->end() && --it->second == 0) classes->erase(it);
}

bool IsRegistered(const QMetaObject& type) {
  ClassList* classes = Existing();
  return classes != nullptr && Find(*classes, type) != classes->end();
}

bool Counts(const QWidget* widget) {
  if (widget == nullptr) return false;
  for (const QMetaObject* type = widget->metaObject(); type != nullptr; type = type->superClass()) {
    if (IsRegistered(*type)) return true;
  }
  return false;
}

}  // namespace tilvaro::FlatEditClasses
