// The RecoveryPlatform port: where recovery copies live and who wrote them.
// Win32: the per-user local application-data folder, the process table and
// the local clock. Tests: a folder of their own and processes they name.
#pragma once

#include <string>

#include "app/recovery_record.h"

namespace morvel::app {

class RecoveryPlatform {
public:
    virtual ~RecoveryPlatform() = default;
    // The folder of the recovery copies, made when missing, as a native
    // path with its closing separator; "" when there is none (autosave then
    // writes nothing and start-up offers nothing).
    virtual std::string RecoveryFolder() = 0;
    virtual ProcessIdentity ThisProcess() = 0;
    // Whether that process runs now: a later process with the same id is
    // another one. True when the system cannot tell, so a copy is kept
    // rather than taken from under a running editor.
    virtual bool ProcessRuns(const ProcessIdentity &process) = 0;
    virtual RecoveryTime LocalTime() = 0;
};

}  // namespace morvel::app
