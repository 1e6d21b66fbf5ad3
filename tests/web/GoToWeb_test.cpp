// TGoToWeb over temporary XDG folders (tests/support/XdgSandbox.h) with stand-in browsers.
#include "web/GoToWeb.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "support/XdgSandbox.h"

namespace tilvaro {
namespace {

using test::XdgSandbox;

class GoToWebTest : public ::testing::Test {
 protected:
  void SetUp() override { sandbox.Reset(); }

  // Registers `program` as the browser for .htm files with the open command `exec`.
  void RegisterBrowser(const std::string& exec) const {
    XdgSandbox::WriteEntry(sandbox.UserApplications(), "browser.desktop", exec, "text/x-test-htm;");
    sandbox.UserList(XdgSandbox::Defaults("browser.desktop"));
  }

  // The arguments the stand-in browser was started with, once it has written them.
  static QStringList ArgumentsWritten(const std::filesystem::path& file) {
    QDeadlineTimer patience(30000);
    while (!std::filesystem::exists(file) && !patience.hasExpired()) QTest::qWait(10);
    std::ifstream in(file, std::ios::binary);
    QStringList arguments;
    for (std::string word; std::getline(in, word, '\0');) arguments.append(QString::fromStdString(word));
    std::filesystem::remove(file);
    return arguments;
  }

  XdgSandbox& sandbox = XdgSandbox::Instance();
};

TEST_F(GoToWebTest, NoBrowserOrOneThatCannotBeStartedIsAFailure) {
  TGoToWeb web;
  EXPECT_FALSE(web.OpenWebPage());
  EXPECT_FALSE(web.OpenNewMail());
  // Installed and executable, but its interpreter is missing, so it cannot be executed.
  RegisterBrowser(sandbox.WriteProgram("browser", "#!/nonexistent/interpreter\n").string() + " %u");
  EXPECT_FALSE(web.FindBrowserCommand().isEmpty());
  EXPECT_FALSE(web.OpenWebPage());
  EXPECT_FALSE(web.OpenNewMail());
}

TEST_F(GoToWebTest, TheAddressAndTheMailLinkReachTheBrowserAsOneArgument) {
  // The stand-in writes its arguments, each ended by a zero byte, beside itself.
  const auto program = sandbox.WriteProgram(
      "browser", "#!/bin/sh\nprintf '%s\\0' \"$@\" > \"$0.tmp\" && mv \"$0.tmp\" \"$0.args\"\n");
  const std::filesystem::path written = program.string() + ".args";
  RegisterBrowser("\"" + program.string() + "\" --new-window %u");
  const std::filesystem::path touched = sandbox.Bin() / "touched";

  TGoToWeb web;
  web.SetUrl(QString::fromStdString("www.tilvaro.example/?q=\"a b\";$(touch " + touched.string() + ")\n`id`"));
  web.SetEMail(QStringLiteral("layouts@tilvaro.example"));
  web.SetEMailSubject(QStringLiteral("Tilvaro - Layout Editor"));
  ASSERT_TRUE(web.OpenWebPage());
  EXPECT_EQ(ArgumentsWritten(written), (QStringList{QStringLiteral("--new-window"), web.Url()}));
  EXPECT_FALSE(std::filesystem::exists(touched));

  ASSERT_TRUE(web.OpenNewMail());
  EXPECT_EQ(ArgumentsWritten(written),
            (QStringList{QStringLiteral("--new-window"),
                         QStringLiteral("mailto:layouts@tilvaro.example?subject=Tilvaro%20-%20Layout%20Editor")}));
}

}  // namespace
}  // namespace tilvaro
