// The JobRunner port: one job at a time away from the window thread. The
// program runs it on a thread of its own (ThreadJobRunner); tests run it
// when they choose, to see the window thread's side at every moment.
#pragma once

#include <functional>

namespace morvel::app {

class JobRunner {
public:
    virtual ~JobRunner() = default;
    // Starts job; the caller starts no second one before Finished().
    virtual void Start(std::function<void()> job) = 0;
    // True once the started job has ended: what it wrote is then visible
    // to the caller.
    virtual bool Finished() = 0;
    // Blocks until the started job (if any) has ended.
    virtual void Wait() = 0;
};

}  // namespace morvel::app
