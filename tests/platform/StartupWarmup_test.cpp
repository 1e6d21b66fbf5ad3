#include "platform/StartupWarmup.h"

#include <QFontDatabase>
#include <QStringList>
#include <gtest/gtest.h>

namespace tilvaro {
namespace {

// Made while the application runs, a warm-up finds the platform at once, fills the font database
// and finishes; so does a second one after it, and Finish() may be called again.
TEST(StartupWarmupTest, FinishesWithARunningApplication) {
  for (int round = 0; round < 2; ++round) {
    StartupWarmup warmup;
    warmup.Finish();
    warmup.Finish();
  }
  EXPECT_FALSE(QFontDatabase::families().isEmpty());
}

}  // namespace
}  // namespace tilvaro
