#include "desktop/MailtoLink.h"

#include <gtest/gtest.h>

namespace tilvaro::desktop {
namespace {

TEST(MailtoLinkTest, EncodesTheSubjectAndLeavesTheAddress) {
  const struct {
    const char* address;
    const char* subject;
    const char* link;
  } cases[] = {
      {"layouts@tilvaro.example", "Tilvaro - Layout Editor",
       "mailto:layouts@tilvaro.example?subject=Tilvaro%20-%20Layout%20Editor"},
      {"a@b", "", "mailto:a@b?subject="},
      {"a@b", "x&y=z?#%/\"<>[]\\^`{|}\n", "mailto:a@b?subject=x%26y%3Dz%3F%23%25%2F%22%3C%3E%5B%5D%5C%5E%60%7B%7C%7D%0A"},
      {"a@b", "Grüße", "mailto:a@b?subject=Gr%C3%BC%C3%9Fe"},
      {"a@b", "Az09-._~!$'()*+,;:@", "mailto:a@b?subject=Az09-._~!$'()*+,;:@"},
      {"a b;\"c\"@d?x", "s", "mailto:a b;\"c\"@d?x?subject=s"},
  };
  for (const auto& c : cases) EXPECT_EQ(MailtoLink(c.address, c.subject), c.link) << c.subject;
}

}  // namespace
}  // namespace tilvaro::desktop
