#include "web/GoToWeb.h"

#include "desktop/BrowserLookup.h"
#include "desktop/MailtoLink.h"
#include "desktop/XdgDirs.h"
#include "platform/ProcessStart.h"

namespace tilvaro {

namespace {

TBrowserCommand ToQt(const std::optional<desktop::BrowserCommand>& command) {
  TBrowserCommand result;
  if (!command) return result;
  result.Program = QString::fromStdString(command->program.string());
  for (const std::string& argument : command->arguments) result.Arguments.append(QString::fromStdString(argument));
  return result;
}

bool Start(const TBrowserCommand& command) {
  if (command.Program.isEmpty()) return false;
  return StartDetached(command.Program, command.Arguments);
}

}  // namespace

TGoToWeb::TGoToWeb(QObject* owner) : QObject(owner) {}

bool TGoToWeb::OpenWebPage() const { return Start(SplitBrowserCommand(url_)); }

bool TGoToWeb::OpenNewMail() const {
  const std::string link = desktop::MailtoLink(email_.toStdString(), emailSubject_.toStdString());
  return Start(ToQt(desktop::SplitMailCommand(desktop::XdgDirs::FromEnvironment(), link)));
}

QString TGoToWeb::FindBrowserCommand() const {
  return QString::fromStdString(desktop::FindBrowserCommand(desktop::XdgDirs::FromEnvironment()));
}

TBrowserCommand TGoToWeb::SplitBrowserCommand(const QString& address) const {
  return ToQt(desktop::SplitBrowserCommand(desktop::XdgDirs::FromEnvironment(), address.toStdString()));
}

}  // namespace tilvaro
