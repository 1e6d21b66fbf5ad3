#include "desktop/XdgDirs.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace tilvaro::desktop {
namespace {

TEST(XdgDirsTest, RelativeFoldersAreIgnoredAndDesktopNamesLowerCased) {
  const std::map<std::string, std::string> environment{{"HOME", "/home/u"},
                                                       {"XDG_CONFIG_HOME", "rel/config"},
                                                       {"XDG_DATA_DIRS", "/a::rel:/b/"},
                                                       {"XDG_CURRENT_DESKTOP", "GNOME:ubuntu::X-Cinnamon"},
                                                       {"PATH", ".:/usr/bin:bin"}};
  const XdgDirs dirs = XdgDirs::FromEnvironment([&](const char* name) -> const char* {
    const auto found = environment.find(name);
    return found == environment.end() ? nullptr : found->second.c_str();
  });
  using Paths = std::vector<std::filesystem::path>;
  EXPECT_EQ(dirs.configHome, "/home/u/.config");
  EXPECT_EQ(dirs.dataHome, "/home/u/.local/share");
  EXPECT_EQ(dirs.configDirs, Paths{"/etc/xdg"});
  EXPECT_EQ(dirs.dataDirs, (Paths{"/a", "/b/"}));
  EXPECT_EQ(dirs.desktops, (std::vector<std::string>{"gnome", "ubuntu", "x-cinnamon"}));
  EXPECT_EQ(dirs.programSearchPath, Paths{"/usr/bin"});
}

}  // namespace
}  // namespace tilvaro::desktop
