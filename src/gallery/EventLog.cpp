#include "gallery/EventLog.h"

#include <QElapsedTimer>
#include <QWidget>
#include <memory>

namespace tilvaro {

TEventLog::TEventLog(std::ostream* out, Clock clock) : out_(out), clock_(std::move(clock)) {
  if (!clock_) {
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    clock_ = [timer] { return static_cast<std::int64_t>(timer->elapsed()); };
  }
}

void TEventLog::Line(const QString& text) {
  if (out_ == nullptr) return;
  // One flushed line per record, so that a reader on a pipe sees each as it happens.
  *out_ << text.toStdString() << std::endl;
}

void TEventLog::Timed(const QString& text) {
  const QString line = QString::number(clock_()) + QLatin1Char(' ') + text;
  Line(line);
  if (OnEvent) OnEvent(line);
}

void TEventLog::Geometry(const QWidget& control) {
  const QPoint origin = control.mapTo(control.window(), QPoint(0, 0));
  Line(QStringLiteral("geometry %1 %2 %3 %4 %5")
           .arg(control.objectName())
           .arg(origin.x())
           .arg(origin.y())
           .arg(control.width())
           .arg(control.height()));
}

void TEventLog::Ready() { Line(QStringLiteral("ready")); }

void TEventLog::Raised(const QObject* sender, const char* event) {
  const QString name = sender != nullptr ? sender->objectName() : QString();
  Timed((name.isEmpty() ? QStringLiteral("?") : name) + QLatin1Char(' ') + QLatin1String(event));
}

void TEventLog::MenuChosen(const QString& itemText) {
  QString text = itemText;
  text.remove(QLatin1Char('&'));
  Timed(QStringLiteral("Menu ") + text);
}

void TEventLog::HintChanged(const QString& hint) {
  Timed(hint.isEmpty() ? QStringLiteral("Hint") : QStringLiteral("Hint ") + hint);
}

void TEventLog::HintShown(const QString& hint) { Timed(QStringLiteral("Shows hint ") + hint); }

}  // namespace tilvaro
