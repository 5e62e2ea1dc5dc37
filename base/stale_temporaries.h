// Temporary files that killed saves left behind. A save that fails removes
// its temporary file, but one whose process was killed half-way cannot: its
// "~mvl<pid>-<n>.tmp" stays beside the target, while the target itself still
// holds the previous file whole. Such leftovers are not shown to the user as
// anything to act on; the next save into the same folder removes them. Only
// files with exactly that name and the id of a process that no longer runs
// go: another Morvel saving into the folder right now keeps its file, and a
// file of any other program is never touched.
#pragma once

#include <string>
#include <string_view>

namespace morvel::base {

// A name for the temporary file a save writes in target's folder. It does not
// grow with the target's file name, so a target whose name is close to the
// system's length limits can still be saved.
std::string TemporaryPathBeside(std::string_view target, unsigned long processId, unsigned counter);

// True when fileName (without a folder) is exactly a name TemporaryPathBeside
// gives, digits without leading zeros included; processId is then the id of
// the process that made it.
bool IsTemporaryFileName(std::string_view fileName, unsigned long &processId);

// folder is the folder part of a native path with its closing separator, as
// it stands before a file name ("" for the current folder). Returns how many
// files were removed; a folder that cannot be read removes nothing.
int RemoveStaleTemporaryFiles(const std::string &folder);

}  // namespace morvel::base
