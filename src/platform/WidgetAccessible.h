#pragma once
// WidgetAccessible: the base of the accessible interfaces of our own widget classes; it knows the
// class of its widget, and the accessibility factory makes it for that class alone.

#include <QAccessibleWidget>

namespace tilvaro {

template <class W>
class WidgetAccessible : public QAccessibleWidget {
 public:
  using Widget = W;

 protected:
  WidgetAccessible(W* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

  W* Typed() const { return static_cast<W*>(widget()); }
};

}  // namespace tilvaro
