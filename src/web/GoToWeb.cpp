#include "web/GoToWeb.h"

#include "desktop/BrowserLookup.h"
#include "desktop/MailtoLink.h"
#include "desktop/XdgDirs.h"
#include "platform/ProcessStart.h"

namespace tilvaro {

TGoToWeb::TGoToWeb(QObject* owner) : QObject(owner) {}

bool TGoToWeb::OpenWebPage() const { return Open(url_); }

bool TGoToWeb::OpenNewMail() const {
  return Open(QString::fromStdString(desktop::MailtoLink(email_.toStdString(), emailSubject_.toStdString())));
}

QString TGoToWeb::FindBrowserCommand() const {
  return QString::fromStdString(desktop::FindBrowserCommand(desktop::XdgDirs::FromEnvironment()));
}

TBrowserCommand TGoToWeb::SplitBrowserCommand(const QString& address) const {
  const auto command = desktop::SplitBrowserCommand(desktop::XdgDirs::FromEnvironment(), address.toStdString());
  TBrowserCommand result;
  if (!command) return result;
  result.Program = QString::fromStdString(command->program.string());
  for (const std::string& argument : command->arguments) result.Arguments.append(QString::fromStdString(argument));
  return result;
}

bool TGoToWeb::Open(const QString& address) const {
  const TBrowserCommand command = SplitBrowserCommand(address);
  if (command.Program.isEmpty()) return false;
  return StartDetached(command.Program, command.Arguments);
}

}  // namespace tilvaro
