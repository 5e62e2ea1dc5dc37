// The few file-system calls that differ between POSIX and Win32, used by the
// atomic writer. file_platform_posix.cpp and win32/file_platform_win32.cpp
// implement them; paths here are native paths.
#pragma once

#include <cstdio>
#include <string>

namespace morvel::document::platform {

// Creates a new, empty file with a unique name in the folder of target and
// opens it for binary writing; nullptr when no such file can be created.
std::FILE *CreateTemporaryFileBeside(const std::string &target, std::string &temporaryPath);

// Pushes the stream's bytes to the operating system and on to the disk.
bool FlushToDisk(std::FILE *file);

// Puts source in the place of target (replacing it) in one step.
bool ReplaceTarget(const std::string &source, const std::string &target);

void RemoveFile(const std::string &path);

}  // namespace morvel::document::platform
