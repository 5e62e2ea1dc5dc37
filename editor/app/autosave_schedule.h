// When a recovery copy is due: a pure function of the document's change
// counters, the interval and the clock, so the timer only asks and acts.
//
// A change that no copy and no save holds yet starts a wait of one
// interval; when it runs out the next copy is written, and holds every
// change made meanwhile. So a change reaches a copy at most one interval
// (and one write) after it was made.
#pragma once

#include <cstdint>

namespace morvel::app {

constexpr int kDefaultAutosaveSeconds = 5 * 60;
constexpr int kMaxAutosaveSeconds = 24 * 60 * 60;

struct AutosaveCounters {
    uint64_t revision = 0;        // moves on with every change of the document
    uint64_t savedRevision = 0;   // what the last save, New, Open or restore left on disk
    uint64_t copiedRevision = 0;  // what the recovery copy holds
    bool writing = false;         // a copy is being written
    bool waiting = false;         // a wait for the next copy runs
    uint64_t waitStartMs = 0;
};

// True when the document holds changes that neither its file nor its
// recovery copy has.
bool HasUncopiedChanges(const AutosaveCounters &counters);

// The timer's question: starts or ends the wait as the counters say, and
// answers true when a copy is to be written now. intervalSeconds 0: never.
bool AutosaveDue(AutosaveCounters &counters, uint64_t nowMs, int intervalSeconds);

// A copy of `revision` is being written from now on.
void AutosaveStarted(AutosaveCounters &counters, uint64_t revision);
// The write has ended: a written copy holds `revision`; a failed one waits a
// whole interval before the next try.
void AutosaveEnded(AutosaveCounters &counters, uint64_t revision, bool written, uint64_t nowMs);

}  // namespace morvel::app
