#include "app/help_retry.h"

namespace morvel::app {

HelpRetry::Step HelpRetry::Tick(uint64_t nowMs, bool viewerWindowExists, bool viewerStarting) {
    if (!pending_) return Step::GiveUp;
    Step step = Step::Wait;
    if (viewerWindowExists) {
        step = Step::AskAgain;
    } else if (!viewerStarting || nowMs - startMs_ >= kPatienceMilliseconds) {
        step = Step::GiveUp;
    }
    if (step != Step::Wait) pending_ = false;
    return step;
}

}  // namespace morvel::app
