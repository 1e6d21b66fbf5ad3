#include "platform/ErrorBox.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <exception>
#include <new>
#include <stdexcept>

namespace tilvaro {

void ShowErrorBox(QWidget* owner, const QString& text, const QString& caption) {
  QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, owner);
  // A long path is wrapped (after its separators) rather than cut at the box's edge, so that the
  // file's name stays readable; the box wraps only rich text by itself.
  if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) label->setWordWrap(true);
  box.exec();
}

namespace {

// The message of an exception, as UTF-8 text; "Unbekannter Fehler" for anything that is not a
// std::exception.
QString MessageOf(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::bad_alloc&) {
    return QStringLiteral("Zu wenig Arbeitsspeicher");
  } catch (const std::length_error&) {
    return QStringLiteral("Zu groß zum Verarbeiten");
  } catch (const std::exception& e) {
    return QString::fromUtf8(e.what());
  } catch (...) {
    return QStringLiteral("Unbekannter Fehler");
  }
}

}  // namespace

std::exception_ptr RunCatching(const std::function<void()>& handler) {
  try {
    handler();
    return nullptr;
  } catch (...) {
    return std::current_exception();
  }
}

void ReportFailure(const std::exception_ptr& failure) {
  if (!failure) return;
  // The box runs its own event loop, so it is shown only after the catch block has been left.
  try {
    ShowErrorBox(QApplication::activeWindow(), MessageOf(failure) + QLatin1Char('.'),
                 QString::fromUtf8(kApplicationTitle));
  } catch (...) {
    // Showing the box must not let anything escape into the event loop either.
  }
}

bool RunGuarded(const std::function<void()>& handler) {
  const std::exception_ptr failure = RunCatching(handler);
  ReportFailure(failure);
  return !failure;
}

std::function<void(QObject*)> Guarded(std::function<void(QObject*)> handler) {
  return [handler = std::move(handler)](QObject* sender) {
    RunGuarded([&] { handler(sender); });
  };
}

}  // namespace tilvaro
