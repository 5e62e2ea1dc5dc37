// JobRunner on a thread per job: a recovery copy is written a few times an
// hour at most, so a thread's start costs nothing worth pooling.
#pragma once

#include <atomic>
#include <thread>

#include "app/job_runner.h"

namespace morvel::app {

class ThreadJobRunner : public JobRunner {
public:
    ~ThreadJobRunner() override { Wait(); }
    void Start(std::function<void()> job) override;
    bool Finished() override;
    void Wait() override;

private:
    std::thread thread_;
    std::atomic<bool> done_{true};
};

}  // namespace morvel::app
