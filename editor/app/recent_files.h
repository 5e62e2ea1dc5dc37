// The five files most recently opened or saved under a new name: kept in
// the registry, shown in the File menu after its first separator.
#pragma once

#include <array>
#include <string>

#include "app/key_store.h"
#include "app/shell.h"
#include "document/ui_ports.h"

namespace morvel::app {

constexpr int kRecentFileCount = 5;
// File-menu position of recent file 0; 1 to 4 follow it.
constexpr int kRecentMenuPosition = 5;

// Slot 0 is the newest; a slot is in use when its first byte is not 0, and
// every reader stops at the first empty slot.
using RecentFiles = std::array<document::PathBuffer, kRecentFileCount>;

extern const char *const kSettingsKey;  // under HKEY_CURRENT_USER
std::string RecentFileValueName(int slot);

void ClearRecentFiles(RecentFiles &files);
// Start-up: reads the list (creating the key with five empty values when it
// is missing) and shows it. When the key cannot be opened the user is told
// and the program is asked to end.
void LoadRecentFiles(RecentFiles &files, KeyStore &store, Shell &shell);
// Moves path to the front (no duplicates) and writes the list, but only
// into a key that already existed.
void AddRecentFile(RecentFiles &files, const document::PathBuffer &path, KeyStore &store);
void InsertRecentMenu(const RecentFiles &files, Shell &shell);
void RemoveRecentMenu(const RecentFiles &files, Shell &shell);

// The folder a path lies in: the text up to its last '\' or ':' (kept);
// the whole path when it has neither.
std::string FolderOfPath(const std::string &path);
// Command 1524 + slot: the slot's path into openPath, and its folder made
// the current directory (a failure is ignored).
void PrepareRecentOpen(const RecentFiles &files, int slot, document::PathBuffer &openPath,
                       Shell &shell);

}  // namespace morvel::app
