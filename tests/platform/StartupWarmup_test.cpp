#include "platform/StartupWarmup.h"

#include <QFontDatabase>
#include <gtest/gtest.h>

namespace tilvaro {
namespace {

// Made while the application runs, a warm-up finds the platform at once: it fills the font
// database and rehearses the fonts it is given, and Finish() returns. A second one after it
// behaves the same, and one without fonts or images finishes too.
TEST(StartupWarmupTest, FinishesAndRehearsesWithARunningApplication) {
  for (int round = 0; round < 2; ++round) {
    std::atomic<int> listed{0};
    StartupWarmup warmup({}, [&listed] {
      ++listed;
      return QList<QFont>{QFont(), QFont()};
    });
    warmup.Finish();
    warmup.Finish();  // a second call is harmless
    EXPECT_EQ(listed.load(), 1) << round;
  }
  StartupWarmup bare;
  bare.Finish();
  EXPECT_FALSE(QFontDatabase::families().isEmpty());
}

}  // namespace
}  // namespace tilvaro
