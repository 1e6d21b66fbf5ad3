// The browser look-up over temporary XDG folders (tests/support/XdgSandbox.h): which entry the
// association rules choose, which entries count as no browser, and the command that comes out.
#include "desktop/BrowserLookup.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include "desktop/KeyFile.h"
#include "support/XdgSandbox.h"

namespace tilvaro::desktop {
namespace {

using test::XdgSandbox;

class BrowserLookupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sandbox.Reset();
    browser = sandbox.WriteProgram("browser", "#!/bin/sh\nexit 0\n").string();
  }

  // The id of the desktop entry of the browser found now, or "" when there is none.
  static std::string Found() {
    const auto found = FindBrowser(XdgDirs::FromEnvironment());
    return found ? found->entry.file.filename().string() : std::string();
  }

  void Entry(const std::filesystem::path& folder, const std::string& id,
             std::string_view types = "text/x-test-htm;") const {
    XdgSandbox::WriteEntry(folder, id, browser + " %u", types);
  }

  XdgSandbox& sandbox = XdgSandbox::Instance();
  std::string browser;
};

TEST_F(BrowserLookupTest, DefaultApplicationsByListOrderReadAnewAtEveryCall) {
  for (const char* id : {"a.desktop", "b.desktop"}) Entry(sandbox.UserApplications(), id);
  Entry(sandbox.SystemApplications(), "c.desktop");
  sandbox.SystemList(XdgSandbox::Defaults("c.desktop"));
  EXPECT_EQ(Found(), "c.desktop");  // the system's default beats the user's mere associations
  // The user's list is read anew at every call: each change shows at once.
  for (int round = 0; round < 20; ++round) {
    const std::string id = round % 2 == 0 ? "a.desktop" : "b.desktop";
    sandbox.UserList(XdgSandbox::Defaults(id));
    ASSERT_EQ(Found(), id) << "round " << round;
  }
  // A default that is not installed gives way to the next one in its list.
  sandbox.UserList(XdgSandbox::Defaults("gone.desktop;b.desktop;a.desktop"));
  EXPECT_EQ(Found(), "b.desktop");
  // A default for another type is no default for this one.
  sandbox.UserList("[Default Applications]\ntext/plain=a.desktop\n");
  sandbox.SystemList("");
  EXPECT_EQ(Found(), "a.desktop");  // the first association of the user's folder (by id)
}

TEST_F(BrowserLookupTest, AddedAndRemovedAssociations) {
  Entry(sandbox.UserApplications(), "user.desktop");
  Entry(sandbox.SystemApplications(), "system.desktop");
  Entry(sandbox.SystemApplications(), "other.desktop", "text/plain;");
  const auto removed = [](const std::string& ids) { return "[Removed Associations]\ntext/x-test-htm=" + ids + "\n"; };
  const auto added = [](const std::string& ids) { return "[Added Associations]\ntext/x-test-htm=" + ids + "\n"; };
  const struct {
    std::string userList;
    std::string systemList;
    const char* expected;
  } cases[] = {
      {"", "", "user.desktop"},
      {removed("user.desktop"), "", "system.desktop"},
      {removed("user.desktop;system.desktop"), "", ""},
      {added("other.desktop"), "", "other.desktop"},
      // Removed in a more important list: the less important list cannot add it back.
      {removed("other.desktop;user.desktop"), added("other.desktop"), "system.desktop"},
      // Added in the same list that removes it: added first, so it stays.
      {added("other.desktop") + removed("other.desktop"), "", "other.desktop"},
      // A removal does not touch an explicit default.
      {XdgSandbox::Defaults("user.desktop") + removed("user.desktop"), "", "user.desktop"},
      // A malformed list reads as empty.
      {"this is no key file\n" + removed("user.desktop"), "", "user.desktop"},
  };
  for (const auto& c : cases) {
    sandbox.UserList(c.userList);
    sandbox.SystemList(c.systemList);
    EXPECT_EQ(Found(), c.expected) << c.userList << "|" << c.systemList;
  }
}

TEST_F(BrowserLookupTest, DesktopSpecificListsComeFirst) {
  for (const char* id : {"a.desktop", "b.desktop", "c.desktop"}) Entry(sandbox.UserApplications(), id);
  sandbox.UserList(XdgSandbox::Defaults("a.desktop"));
  XdgSandbox::Write(sandbox.SystemConfig() / "tilde-mimeapps.list", XdgSandbox::Defaults("b.desktop"));
  XdgSandbox::Write(sandbox.UserConfig() / "other-mimeapps.list", XdgSandbox::Defaults("c.desktop"));
  // The user's plain list outranks the system's desktop list; without it, the latter counts.
  const struct {
    const char* desktops;
    bool userList;
    const char* expected;
  } cases[] = {{nullptr, true, "a.desktop"},       {"Tilde", true, "a.desktop"}, {"Other", true, "c.desktop"},
               {"TILDE:Other", true, "c.desktop"}, {"tilde", false, "b.desktop"}};
  for (const auto& c : cases) {
    if (!c.userList) std::filesystem::remove(sandbox.UserConfig() / "mimeapps.list");
    if (c.desktops) ::setenv("XDG_CURRENT_DESKTOP", c.desktops, 1);
    EXPECT_EQ(Found(), c.expected) << (c.desktops ? c.desktops : "(none)");
  }
}

TEST_F(BrowserLookupTest, EntriesThatCannotStartCountAsNoBrowser) {
  const std::string fallback = browser + " --fallback %u";
  XdgSandbox::WriteEntry(sandbox.SystemApplications(), "fallback.desktop", fallback, "text/x-test-htm;");
  sandbox.UserList(XdgSandbox::Defaults("broken.desktop"));
  const std::string missing = (sandbox.Bin() / "missing").string();
  const std::string notExecutable = sandbox.Bin() / "plain";
  XdgSandbox::Write(notExecutable, "#!/bin/sh\n");
  const std::string oldPath = ::getenv("PATH") ? ::getenv("PATH") : "";
  ::setenv("PATH", (sandbox.Bin().string() + ":/usr/bin:/bin").c_str(), 1);
  const struct {
    const char* what;
    std::string entry;
    bool startable;
  } cases[] = {
      {"sound", "[Desktop Entry]\nType=Application\nExec=" + browser + " %u\n", true},
      {"program found in PATH", "[Desktop Entry]\nType=Application\nExec=browser %u\n", true},
      {"TryExec present", "[Desktop Entry]\nType=Application\nTryExec=browser\nExec=" + browser + "\n", true},
      {"program missing", "[Desktop Entry]\nType=Application\nExec=" + missing + " %u\n", false},
      {"program not executable", "[Desktop Entry]\nType=Application\nExec=" + notExecutable + " %u\n", false},
      {"relative program path", "[Desktop Entry]\nType=Application\nExec=bin/browser %u\n", false},
      {"TryExec missing", "[Desktop Entry]\nType=Application\nTryExec=" + missing + "\nExec=" + browser + "\n", false},
      {"no Exec", "[Desktop Entry]\nType=Application\nName=x\n", false},
      {"unterminated quote", "[Desktop Entry]\nType=Application\nExec=\"" + browser + " %u\n", false},
      {"not an application", "[Desktop Entry]\nType=Link\nURL=http://x\nExec=" + browser + "\n", false},
      {"hidden", "[Desktop Entry]\nType=Application\nHidden=true\nExec=" + browser + "\n", false},
      {"needs a terminal", "[Desktop Entry]\nType=Application\nTerminal=true\nExec=" + browser + "\n", false},
      {"field code glued to a quoted word", "[Desktop Entry]\nType=Application\nExec=" + browser + " -c \"x \"%u\n",
       false},
      {"not a key file", "Exec=" + browser + "\n", false},
  };
  for (const auto& c : cases) {
    XdgSandbox::Write(sandbox.UserApplications() / "broken.desktop", c.entry);
    EXPECT_EQ(Found(), c.startable ? "broken.desktop" : "fallback.desktop") << c.what;
  }
  ::setenv("PATH", oldPath.c_str(), 1);
  // The user's entry of the same id shadows the system's: hidden, it deletes it; without the type,
  // it takes the association away.
  std::filesystem::remove(sandbox.UserConfig() / "mimeapps.list");
  XdgSandbox::Write(sandbox.UserApplications() / "fallback.desktop",
                    "[Desktop Entry]\nType=Application\nHidden=true\nExec=" + browser + " %u\n");
  EXPECT_EQ(Found(), "");
  Entry(sandbox.UserApplications(), "fallback.desktop", "text/plain;");
  EXPECT_EQ(Found(), "");
  EXPECT_EQ(FindBrowserCommand(XdgDirs::FromEnvironment()), "");
  EXPECT_FALSE(SplitBrowserCommand(XdgDirs::FromEnvironment(), "www.tilvaro.example"));
}

// A FIFO where a list or an entry is expected would block an open for good; a list beyond the read
// limit is read up to its last whole line within the limit.
TEST_F(BrowserLookupTest, FifosAndOversizedListsDoNotHoldTheLookUpUp) {
  Entry(sandbox.SystemApplications(), "system.desktop");
  Entry(sandbox.UserApplications(), "user.desktop", "text/plain;");
  ASSERT_EQ(::mkfifo((sandbox.UserConfig() / "mimeapps.list").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo((sandbox.UserApplications() / "fifo.desktop").c_str(), 0600), 0);
  EXPECT_EQ(Found(), "system.desktop");
  std::filesystem::remove(sandbox.UserConfig() / "mimeapps.list");
  const std::string padding = "#" + std::string(kMaxKeyFileBytes, 'p') + "\n";
  sandbox.UserList("[Added Associations]\ntext/x-test-htm=user.desktop;\n" + padding + XdgSandbox::Defaults("system.desktop"));
  EXPECT_EQ(Found(), "user.desktop");
}

// A "mailto:" link goes to the desktop's mail program, and to the browser where there is none.
TEST_F(BrowserLookupTest, MailLinksGoToTheMailHandlerElseToTheBrowser) {
  Entry(sandbox.SystemApplications(), "web.desktop");
  const std::string link = "mailto:post@tilvaro.example?subject=Tilvaro";
  const auto program = [&] {
    const auto command = SplitMailCommand(XdgDirs::FromEnvironment(), link);
    return command ? command->arguments.back() + " " + command->program.filename().string() : std::string();
  };
  EXPECT_EQ(program(), link + " browser");
  const auto mailer = sandbox.WriteProgram("mailer", "#!/bin/sh\n");
  XdgSandbox::WriteEntry(sandbox.SystemApplications(), "mail.desktop", mailer.string() + " %u",
                         "x-scheme-handler/mailto;");
  EXPECT_EQ(program(), link + " mailer");
  sandbox.UserList("[Removed Associations]\nx-scheme-handler/mailto=mail.desktop;\n");
  EXPECT_EQ(program(), link + " browser");
}

TEST_F(BrowserLookupTest, TheFourWebPageFileTypesInOrder) {
  const char* const types[] = {"text/x-test-htm", "text/x-test-html", "text/x-test-shtml", "text/x-test-shtm"};
  // Each row: which of the four types have an application (bit i for type i), and which is found.
  const struct {
    unsigned registered;
    const char* expected;
  } cases[] = {
      {0b1111, "x-test-htm.desktop"},   {0b1110, "x-test-html.desktop"}, {0b1100, "x-test-shtml.desktop"},
      {0b1000, "x-test-shtm.desktop"}, {0b1010, "x-test-html.desktop"}, {0b0000, ""},
  };
  for (const auto& c : cases) {
    SetUp();
    for (unsigned i = 0; i < 4; ++i) {
      if (c.registered & (1U << i)) {
        Entry(sandbox.SystemApplications(), std::string(types[i] + 5) + ".desktop", std::string(types[i]) + ";");
      }
    }
    EXPECT_EQ(Found(), c.expected) << c.registered;
  }
}

TEST_F(BrowserLookupTest, CommandOfTheFoundEntry) {
  const auto program = sandbox.WriteProgram("My Browser/browse", "#!/bin/sh\n");
  // Entries in subfolders have ids with '-' for '/'.
  const std::string exec = "\"" + program.string() + "\" --new-window %i %c --from=%k %U";
  XdgSandbox::Write(sandbox.UserApplications() / "vendor/web.desktop",
                    "[Desktop Entry]\nType=Application\nName=Netz\nIcon=net\nExec=" + exec +
                        "\nMimeType=text/x-test-htm;\n");
  sandbox.UserList(XdgSandbox::Defaults("vendor-web.desktop"));
  const XdgDirs dirs = XdgDirs::FromEnvironment();
  EXPECT_EQ(FindBrowserCommand(dirs), exec);
  const std::string location = (sandbox.UserApplications() / "vendor/web.desktop").string();
  for (const std::string& address : {std::string("www.tilvaro.example"), std::string("a\"b'; $(id) `x`\nc %u")}) {
    const auto command = SplitBrowserCommand(dirs, address);
    ASSERT_TRUE(command);
    EXPECT_EQ(command->program, program);
    const std::vector<std::string> expected{"--new-window", "--icon", "net", "Netz", "--from=" + location, address};
    EXPECT_EQ(command->arguments, expected);
  }
}

}  // namespace
}  // namespace tilvaro::desktop
