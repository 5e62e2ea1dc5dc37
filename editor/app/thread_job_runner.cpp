#include "app/thread_job_runner.h"

#include <utility>

namespace morvel::app {

void ThreadJobRunner::Start(std::function<void()> job) {
    Wait();
    done_.store(false, std::memory_order_release);
    thread_ = std::thread([this, job = std::move(job)] {
        job();
        done_.store(true, std::memory_order_release);
    });
}

bool ThreadJobRunner::Finished() {
    if (!done_.load(std::memory_order_acquire)) return false;
    if (thread_.joinable()) thread_.join();
    return true;
}

void ThreadJobRunner::Wait() {
    if (thread_.joinable()) thread_.join();
}

}  // namespace morvel::app
