// The few file-system and process calls that differ between POSIX and Win32,
// used by the atomic writer. file_platform_posix.cpp and
// win32/file_platform_win32.cpp implement them; paths here are native paths.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace morvel::base::platform {

// Creates a new, empty file with a unique name in the folder of target and
// opens it for binary writing; nullptr when no such file can be created.
std::FILE *CreateTemporaryFileBeside(const std::string &target, std::string &temporaryPath);

// Pushes the stream's bytes to the operating system and on to the disk.
bool FlushToDisk(std::FILE *file);

// Puts source in the place of target (replacing it) in one step.
bool ReplaceTarget(const std::string &source, const std::string &target);

bool RemoveFile(const std::string &path);

// The names of the plain files in folder (a folder path with its closing
// separator, or "" for the current folder); empty when it cannot be read.
std::vector<std::string> FilesIn(const std::string &folder);

unsigned long CurrentProcessId();

// Whether a process with this id runs now. When the system does not say,
// true: a file is then kept rather than taken from under a running save.
bool ProcessRuns(unsigned long processId);

}  // namespace morvel::base::platform
