// Recovery copies on disk: one motion file per editor process in the
// recovery folder, "morvel-<process id>-<process start>.mvl", with its record after the
// motion file's records (see recovery_record.h). A copy is written whole
// through the atomic writer or not at all. Copies of a process that still
// runs are never read for restoring nor removed, and a file that is not
// exactly a copy this program wrote is never touched.
#pragma once

#include <string>
#include <vector>

#include "app/recovery_platform.h"
#include "app/recovery_record.h"
#include "mvllib/mvllib.h"

namespace morvel::app {

std::string RecoveryCopyName(const ProcessIdentity &writer);
// True for exactly the names RecoveryCopyName gives; writer is then the
// process that wrote the copy.
bool IsRecoveryCopyName(const std::string &fileName, ProcessIdentity &writer);

// Writes document (scrambled with its user code, as a save writes it) and
// record to path in one atomic replace. The document's version field is set
// to "1.00" as by every motion-file write: pass a snapshot.
bool WriteRecoveryCopy(MotionDocument &document, const RecoveryRecord &record,
                       const std::string &path);

// The record at the end of the file at path; false when it has none or it
// cannot be read.
bool ReadRecoveryRecord(const std::string &path, RecoveryRecord &record);

struct RecoveryCandidate {
    std::string path;  // native path of the copy
    RecoveryRecord record;
};

// The copies in folder that processes which have ended left, newest first.
// Copies of running processes (this one included), files with other names
// and copies whose record is missing, damaged or names another process are
// left out.
std::vector<RecoveryCandidate> EndedCopies(const std::string &folder, RecoveryPlatform &platform);

// Removes a copy; true when it is gone.
bool RemoveRecoveryCopy(const std::string &path);

}  // namespace morvel::app
