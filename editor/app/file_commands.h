// The document commands of the File menu: New, Open (also from a recent
// file, the command line or a dropped file), Save and Save As, with their
// questions, messages, the states filePath encodes and the window title.
#pragma once

#include <string>

#include "app/editor.h"
#include "app/recovery_record.h"

namespace morvel::app {

extern const char *const kProductName;     // "Morvel"
extern const char *const kProgramVersion;  // "2.01"

// "Morvel Version 2.01 [...]" with the path, or "新規" for a new document.
std::string WindowTitle(const document::PathBuffer &filePath);

void NewCommand(Editor &editor);
// Opens openPath when it holds a path, else asks the user for a file. True
// when the file became the current document (and was drawn).
bool OpenCommand(Editor &editor);
void SaveCommand(Editor &editor);
void SaveAsCommand(Editor &editor);

// Loads the file of openPath (or a chosen one) into the working document,
// asking for the user code once when the file carries one (a wrong code is
// reported under caption). The load result, or kOpenCancelled when the user
// gave up without needing a message.
int LoadIntoWorkingDocument(Editor &editor, const char *caption);

// Restores a recovery copy as the current document: its parts load from the
// folder the record names; it is titled with the document's own file (or
// counts as edited and never saved) and its changes as unsaved; the copy
// stays until this process has one of its own or the document is saved. A
// copy that does not load stays as it was. True when restored.
bool RestoreRecoveredDocument(Editor &editor, const std::string &copyPath,
                              const RecoveryRecord &record);

// Opens path as if the user had chosen it in Open: its folder becomes the
// current directory first. True as for OpenCommand.
bool OpenGivenFile(Editor &editor, const std::string &path);

}  // namespace morvel::app
