#include "widgets/FlatEditClasses.h"

#include <QWidget>
#include <algorithm>
#include <utility>
#include <vector>

namespace tilvaro::FlatEditClasses {
namespace {

// Each class with its registration count; a class leaves the list when the count reaches 0.
std::vector<std::pair<const QMetaObject*, int>>& Classes() {
  static std::vector<std::pair<const QMetaObject*, int>> classes;
  return classes;
}

auto Find(const QMetaObject& type) {
  return std::find_if(Classes().begin(), Classes().end(), [&](const auto& entry) { return entry.first == &type; });
}

}  // namespace

void Register(const QMetaObject& type) {
  const auto it = Find(type);
  if (it == Classes().end()) {
    Classes().emplace_back(&type, 1);
  } else {
    ++it->second;
  }
}

void Unregister(const QMetaObject& type) {
  const auto it = Find(type);
  if (it == Classes().end()) return;
  if (--it->second == 0) Classes().erase(it);
}

bool IsRegistered(const QMetaObject& type) { return Find(type) != Classes().end(); }

bool Counts(const QWidget* widget) {
  if (widget == nullptr) return false;
  for (const QMetaObject* type = widget->metaObject(); type != nullptr; type = type->superClass()) {
    if (IsRegistered(*type)) return true;
  }
  return false;
}

}  // namespace tilvaro::FlatEditClasses
