// A help request the viewer refused because it was still starting. WinHelpA
// starts the viewer when none runs and looks for its window once; a viewer
// still making that window refuses the request although it comes up. The
// request is asked again once the window is there, checked on a timer so
// that the editor keeps running meanwhile, and dropped as soon as no viewer
// is starting or after a few seconds.
#pragma once

#include <cstdint>

namespace morvel::app {

class HelpRetry {
public:
    static constexpr int kPollMilliseconds = 50;
    static constexpr uint64_t kPatienceMilliseconds = 5000;

    enum class Step { Wait, AskAgain, GiveUp };

    // After a refused request: a viewer that already ran refused it itself,
    // and quitting never starts one; only a viewer starting now is waited for.
    static bool WorthWaiting(bool viewerRanBefore, bool quit, bool viewerStarting) {
        return !viewerRanBefore && !quit && viewerStarting;
    }

    void Start(uint64_t nowMs) {
        startMs_ = nowMs;
        pending_ = true;
    }
    void Stop() { pending_ = false; }
    bool Pending() const { return pending_; }

    // One tick of the timer; AskAgain and GiveUp end the wait.
    Step Tick(uint64_t nowMs, bool viewerWindowExists, bool viewerStarting);

private:
    uint64_t startMs_ = 0;
    bool pending_ = false;
};

}  // namespace morvel::app
