#include "app/autosave_schedule.h"

namespace morvel::app {

bool HasUncopiedChanges(const AutosaveCounters &c) {
    return c.revision != c.savedRevision && c.revision != c.copiedRevision;
}

bool AutosaveDue(AutosaveCounters &c, uint64_t nowMs, int intervalSeconds) {
    if (intervalSeconds <= 0 || !HasUncopiedChanges(c)) {
        c.waiting = false;
        return false;
    }
    if (!c.waiting) {
        c.waiting = true;
        c.waitStartMs = nowMs;
    }
    if (c.writing) return false;
    // A clock that went back (it never should) restarts the wait.
    if (nowMs < c.waitStartMs) c.waitStartMs = nowMs;
    return nowMs - c.waitStartMs >= static_cast<uint64_t>(intervalSeconds) * 1000;
}

void AutosaveStarted(AutosaveCounters &c, uint64_t) {
    c.writing = true;
    c.waiting = false;
}

void AutosaveEnded(AutosaveCounters &c, uint64_t revision, bool written, uint64_t nowMs) {
    c.writing = false;
    if (written) {
        c.copiedRevision = revision;
        return;
    }
    c.waiting = true;
    c.waitStartMs = nowMs;
}

}  // namespace morvel::app
