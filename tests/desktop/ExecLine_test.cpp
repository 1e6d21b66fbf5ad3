#include "desktop/ExecLine.h"

#include <gtest/gtest.h>

namespace tilvaro::desktop {
namespace {

using Args = std::vector<std::string>;

// An address that a shell would read as several words and commands.
const std::string kHostile = "x\"y' ;z $(touch /tmp/owned) `id`\nsecond line %u \\";

struct Case {
  const char* what;
  std::string exec;
  std::string address;
  std::optional<Args> expected;
};

TEST(ExecLineTest, SplitsByTheQuotingRulesAndExpandsTheFieldCodes) {
  const std::string a = "www.tilvaro.example";
  const Case cases[] = {
      {"code as its own word", "browser %u", a, Args{"browser", a}},
      {"quoted program with blanks", "\"/opt/My Browser/browse\" --new-window %U", a,
       Args{"/opt/My Browser/browse", "--new-window", a}},
      {"no code: appended last", "browser -nohome", a, Args{"browser", "-nohome", a}},
      {"no code, program only", "/usr/bin/browser", a, Args{"/usr/bin/browser", a}},
      {"code inside a word", "browser --url=%u --x", a, Args{"browser", "--url=" + a, "--x"}},
      {"only the first address code counts", "browser %f %F %u", a, Args{"browser", a}},
      {"runs of blanks and tabs", "browser   -a\t %u  ", a, Args{"browser", "-a", a}},
      {"%% is a percent sign", "browser 100%% %u", a, Args{"browser", "100%", a}},
      {"a lone percent sign stays", "browser 50% off%", a, Args{"browser", "50%", "off%", a}},
      {"deprecated and unknown codes dropped", "browser %d %D %n %N %v %m %z %u", a, Args{"browser", a}},
      {"quoted escapes", R"(sh "say \"hi\" \$HOME \`id\` \\ \n 50%%")", a,
       Args{"sh", "say \"hi\" $HOME `id` \\ \\n 50%", a}},
      {"no expansion inside quotes", "sh -c \"exec browse %u\" sh", a, Args{"sh", "-c", "exec browse %u", "sh", a}},
      {"empty quoted argument", "browser \"\" %u", a, Args{"browser", "", a}},
      {"quoted part joins its word", "browser --profile=\"a b\"c %u", a, Args{"browser", "--profile=a bc", a}},
      {"hostile address is one argument", "browser %u", kHostile, Args{"browser", kHostile}},
      {"hostile address appended", "browser", kHostile, Args{"browser", kHostile}},
      {"hostile address inside a word", "browser --u=%u", kHostile, Args{"browser", "--u=" + kHostile}},
      {"empty address is still one argument", "browser %u -x", "", Args{"browser", "", "-x"}},
      {"unterminated quote", "\"/opt/browser %u", a, std::nullopt},
      {"empty line", "", a, std::nullopt},
      {"blanks only", "   ", a, std::nullopt},
      {"empty program", "\"\" %u", a, std::nullopt},
      {"field code as the program", "%u", a, std::nullopt},
      {"field code in the program's word", "brow%cser %u", a, std::nullopt},
      {"icon, name and location codes", "b %i --class=%c %k %u", a,
       Args{"b", "--icon", "web-browser", "--class=Mein Netz", "/a/b.desktop", a}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SplitExecLine(c.exec, ExecFields{c.address, "Mein Netz", "web-browser", "/a/b.desktop"}), c.expected)
        << c.what;
  }
  // Without an icon, %i gives no argument at all.
  EXPECT_EQ(SplitExecLine("b %i %u", ExecFields{a, "n", "", "/x"}), (Args{"b", a}));
}

}  // namespace
}  // namespace tilvaro::desktop
