#pragma once
// TGoToWeb: opens a web address in the user's web browser, or starts a new e-mail in the desktop's
// mail program (through the browser's "mailto:" handling where the desktop names none). Both are
// the applications the desktop has chosen, found anew at every call, and started directly with the
// address as one argument.
//
// BrowserState is kept for the owner to set and read. Linux has no general way to ask another
// program to open its window maximised (neither desktop entries nor the start-up protocol carry a
// window state, and the browser's window is not ours to change), so the browser opens its window
// as it chooses itself.

#include <QObject>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace tilvaro {

enum class TBrowserState : std::uint8_t { gwMaximized = 0, gwNormal = 1 };

// The program to start and its arguments; Program is empty when no browser is registered.
struct TBrowserCommand {
  QString Program;
  QStringList Arguments;
};

class TGoToWeb : public QObject {
  Q_OBJECT

 public:
  explicit TGoToWeb(QObject* owner = nullptr);

  QString Url() const { return url_; }
  void SetUrl(const QString& url) { url_ = url; }
  QString EMail() const { return email_; }
  void SetEMail(const QString& email) { email_ = email; }
  TBrowserState BrowserState() const { return browserState_; }
  void SetBrowserState(TBrowserState state) { browserState_ = state; }
  QString EMailSubject() const { return emailSubject_; }
  void SetEMailSubject(const QString& subject) { emailSubject_ = subject; }

  // Start the browser with Url, or the mail program (else the browser) with a "mailto:" link to
  // EMail with EMailSubject. True when it was started; false, with nothing started and nothing
  // shown, when none is registered or it cannot be started.
  bool OpenWebPage() const;
  bool OpenNewMail() const;

  // The registered browser's open command (its desktop entry's Exec line), or empty text.
  QString FindBrowserCommand() const;
  // The browser's program and the arguments that open `address` in it.
  TBrowserCommand SplitBrowserCommand(const QString& address) const;

 private:
  QString url_ = QStringLiteral("www.tilvaro.example");
  QString email_ = QStringLiteral("post@tilvaro.example");
  TBrowserState browserState_ = TBrowserState::gwMaximized;
  QString emailSubject_;
};

}  // namespace tilvaro
