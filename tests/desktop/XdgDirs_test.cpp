#include "desktop/XdgDirs.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace tilvaro::desktop {
namespace {

XdgDirs From(const std::map<std::string, std::string>& environment) {
  return XdgDirs::FromEnvironment([&](const char* name) -> const char* {
    const auto found = environment.find(name);
    return found == environment.end() ? nullptr : found->second.c_str();
  });
}

using Paths = std::vector<std::filesystem::path>;

TEST(XdgDirsTest, DefaultsBelowHomeAndRelativeFoldersIgnored) {
  const XdgDirs defaults = From({{"HOME", "/home/u"}, {"XDG_DATA_DIRS", ""}});
  EXPECT_EQ(defaults.configHome, "/home/u/.config");
  EXPECT_EQ(defaults.dataHome, "/home/u/.local/share");
  EXPECT_EQ(defaults.configDirs, Paths{"/etc/xdg"});
  EXPECT_EQ(defaults.dataDirs, (Paths{"/usr/local/share", "/usr/share"}));
  EXPECT_EQ(defaults.programSearchPath, (Paths{"/bin", "/usr/bin"}));
  EXPECT_TRUE(defaults.desktops.empty());

  const XdgDirs set = From({{"XDG_CONFIG_HOME", "rel/config"},
                            {"XDG_DATA_HOME", "/d"},
                            {"XDG_DATA_DIRS", "/a::rel:/b/"},
                            {"XDG_CURRENT_DESKTOP", "GNOME:ubuntu::X-Cinnamon"},
                            {"PATH", ".:/usr/bin:bin"}});
  EXPECT_EQ(set.configHome, "");  // relative, and no HOME to fall back on
  EXPECT_EQ(set.dataHome, "/d");
  EXPECT_EQ(set.dataDirs, (Paths{"/a", "/b/"}));
  EXPECT_EQ(set.desktops, (std::vector<std::string>{"gnome", "ubuntu", "x-cinnamon"}));
  EXPECT_EQ(set.programSearchPath, Paths{"/usr/bin"});
}

}  // namespace
}  // namespace tilvaro::desktop
