#pragma once
// ApplicationHint: the application's current hint text (what a status line would show), set by
// hovered drop-down menu items, with a signal when it changes. One per application, a slot of the
// controls' runtime.

#include <QObject>
#include <QString>

namespace tilvaro {

class ApplicationHint : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

  // The application's hint, made first if it does not exist.
  static ApplicationHint& Instance();

  QString Text() const { return text_; }
  // Stores the text; Changed is emitted only when it differs from the old one.
  void SetText(const QString& text);

 signals:
  void Changed(const QString& text);

 private:
  QString text_;
};

}  // namespace tilvaro
