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

namespace morvel::document {

// folder is the folder part of a native path with its closing separator, as
// it stands before a file name ("" for the current folder). Returns how many
// files were removed; a folder that cannot be read removes nothing.
int RemoveStaleTemporaryFiles(const std::string &folder);

}  // namespace morvel::document
