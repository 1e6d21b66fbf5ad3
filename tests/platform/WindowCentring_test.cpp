#include "platform/WindowCentring.h"

#include <gtest/gtest.h>

namespace tilvaro {
namespace {

// The window with its frame is centred, not its client area.
TEST(WindowCentringTest, TheFramedWindowIsCentred) {
  struct Case {
    QRect available;
    QSize client;
    QMargins frame;
    QRect expected;
  };
  const Case cases[] = {
      {QRect(0, 0, 1024, 768), QSize(504, 341), QMargins(), QRect(260, 213, 504, 341)},
      // A title bar of 20 pixels and borders of 1: the frame's top edge is 10 pixels above the
      // unframed client area's, and the client area sits 10 pixels lower.
      {QRect(0, 0, 1024, 768), QSize(504, 341), QMargins(1, 21, 1, 1), QRect(260, 223, 504, 341)},
      {QRect(100, 30, 800, 600), QSize(353, 104), QMargins(4, 24, 4, 4), QRect(323, 288, 353, 104)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CentredClientGeometry(c.available, c.client, c.frame), c.expected) << c.frame.top();
  }
}

}  // namespace
}  // namespace tilvaro
