#include "document/stale_temporaries.h"

#include "document/file_platform.h"
#include "document/path_rules.h"

namespace morvel::document {

int RemoveStaleTemporaryFiles(const std::string &folder) {
    const unsigned long self = platform::CurrentProcessId();
    int removed = 0;
    for (const std::string &name : platform::FilesIn(folder)) {
        unsigned long processId = 0;
        if (!IsTemporaryFileName(name, processId)) continue;
        // Our own process may be saving into this folder on another path.
        if (processId == self || platform::ProcessRuns(processId)) continue;
        const std::string path = folder.empty() ? name : folder + name;
        if (platform::RemoveFile(path)) ++removed;
    }
    return removed;
}

}  // namespace morvel::document
