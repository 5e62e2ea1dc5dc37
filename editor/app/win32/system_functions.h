// Functions of system DLLs that only some commands need (the file and colour
// choosers, the desktop shortcut, dropped files, the DirectMusic probe),
// looked up on first use: importing them would load those DLLs, and all they
// load in turn, at every start of the editor.
#pragma once

#include <windows.h>

namespace morvel::app::win32 {

// The function `name` of `dll`, or nullptr when either is missing. A DLL
// once loaded stays loaded for the rest of the run.
FARPROC SystemFunction(const char *dll, const char *name);

template <typename Function>
Function *System(const char *dll, const char *name) {
    return reinterpret_cast<Function *>(reinterpret_cast<void *>(SystemFunction(dll, name)));
}

}  // namespace morvel::app::win32
