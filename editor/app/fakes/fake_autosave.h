// Autosave's ports for the tests: a recovery folder of the test's own, the
// processes it says run, a clock of local times it sets, and a job runner
// that runs the job only when the test says so.
#pragma once

#include <functional>
#include <set>
#include <string>

#include "app/job_runner.h"
#include "app/recovery_platform.h"

namespace morvel::app::fakes {

class FakeRecoveryPlatform : public RecoveryPlatform {
public:
    std::string folder;  // with its closing separator; "" for none
    ProcessIdentity process{4242, 1000};
    std::set<unsigned long> running;  // ids of other processes that run
    RecoveryTime time{2024, 5, 1, 12, 34, 56};

    std::string RecoveryFolder() override { return folder; }
    ProcessIdentity ThisProcess() override { return process; }
    bool ProcessRuns(const ProcessIdentity &other) override {
        return other == process || running.count(other.id) > 0;
    }
    RecoveryTime LocalTime() override { return time; }
};

class ManualJobRunner : public JobRunner {
public:
    void Start(std::function<void()> job) override {
        job_ = std::move(job);
        ++started;
    }
    bool Finished() override { return !job_; }
    void Wait() override { RunJob(); }
    // The job runs now, as the thread would have run it meanwhile.
    void RunJob() {
        if (!job_) return;
        auto job = std::move(job_);
        job_ = nullptr;
        job();
    }
    bool Pending() const { return static_cast<bool>(job_); }
    int started = 0;

private:
    std::function<void()> job_;
};

}  // namespace morvel::app::fakes
