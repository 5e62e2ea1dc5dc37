// What the editor keeps for its recovery copies: the interval, the change
// counters, the copies it answers for, and the snapshot a write works from.
#pragma once

#include <cstdint>
#include <string>

#include "app/autosave_schedule.h"
#include "app/recovery_copies.h"
#include "mvllib/mvllib.h"

namespace morvel::app {

// A document of the library's, initialised and released with its owner.
struct OwnedMotionDocument {
    OwnedMotionDocument() { Mvl_Func_ObjectInit(&document); }
    ~OwnedMotionDocument() { Mvl_Func_Delete(&document); }
    OwnedMotionDocument(const OwnedMotionDocument &) = delete;
    OwnedMotionDocument &operator=(const OwnedMotionDocument &) = delete;
    MotionDocument document{};
};

struct AutosaveState {
    int intervalSeconds = kDefaultAutosaveSeconds;
    AutosaveCounters counters;
    // Moves on with every save, New, Open and restore: a write that started
    // before one belongs to a document that is no longer there.
    uint64_t epoch = 0;
    // This process's copy, once a write of it started.
    std::string ownCopy;
    // A restored copy of an ended process: it holds the document until this
    // process has written a copy of its own or the document is saved.
    std::string adoptedCopy;

    // The write in flight. The job alone touches the snapshot and `written`
    // until the runner reports it finished.
    OwnedMotionDocument snapshot;
    uint64_t jobRevision = 0;
    uint64_t jobEpoch = 0;
    bool written = false;
};

// The copy the start-up question is about, and the user's answer.
enum class RecoveryAnswer { Keep, Restore, Discard };
struct RecoveryOffer {
    RecoveryCandidate candidate;
    RecoveryAnswer answer = RecoveryAnswer::Keep;
};

}  // namespace morvel::app
