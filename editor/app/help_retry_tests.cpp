#include <gtest/gtest.h>

#include "app/help_retry.h"

namespace morvel::app {
namespace {

TEST(HelpRetryTest, WaitsOnlyForAViewerThatIsStartingAndNeverLong) {
    EXPECT_TRUE(HelpRetry::WorthWaiting(false, false, true));
    EXPECT_FALSE(HelpRetry::WorthWaiting(true, false, true)) << "a running viewer refused it";
    EXPECT_FALSE(HelpRetry::WorthWaiting(false, true, true)) << "HELP_QUIT starts no viewer";
    EXPECT_FALSE(HelpRetry::WorthWaiting(false, false, false)) << "no viewer comes";

    HelpRetry retry;
    retry.Start(1000);
    EXPECT_EQ(retry.Tick(1050, false, true), HelpRetry::Step::Wait);
    EXPECT_EQ(retry.Tick(1100, true, true), HelpRetry::Step::AskAgain);
    EXPECT_FALSE(retry.Pending());
    EXPECT_EQ(retry.Tick(1150, true, true), HelpRetry::Step::GiveUp) << "asked once only";

    retry.Start(2000);
    EXPECT_EQ(retry.Tick(2050, false, false), HelpRetry::Step::GiveUp) << "the viewer ended";
    retry.Start(3000);
    EXPECT_EQ(retry.Tick(3000 + HelpRetry::kPatienceMilliseconds - 1, false, true),
              HelpRetry::Step::Wait);
    EXPECT_EQ(retry.Tick(3000 + HelpRetry::kPatienceMilliseconds, false, true),
              HelpRetry::Step::GiveUp);
}

}  // namespace
}  // namespace morvel::app
