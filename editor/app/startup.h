// The program's start-up and main loop over the ports.
#pragma once

#include <string>

#include "app/editor.h"

namespace morvel::app {

constexpr int kClientWidth = 640;
constexpr int kClientHeight = 480;

// Creates the window, bars and device, prepares the documents, posts the
// New command (and after it the recovery question, when the editor has
// autosave, and the opening of startupFile, when it is not empty), reads the recent files, starts the timer and runs the
// loop. 0 when the window class or the device cannot be made, else the
// quit message's parameter.
int RunEditor(Editor &editor, int showCommand, const std::string &startupFile = "");

// The full path of `name` in the program's folder: beside the program, or
// in the folder above when the program lies in a folder named "DEBUG" or
// "RELEASE".
std::string ProgramFolderPath(const std::string &programPath, const std::string &name);

}  // namespace morvel::app
