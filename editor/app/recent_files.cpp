#include "app/recent_files.h"

#include <cstring>

#include "app/command_ids.h"
#include "app/registry_key.h"
#include "base/cp932_text.h"
#include "base/field_text.h"

namespace morvel::app {

const char *const kSettingsKey = "Software\\Kelvarin\\Morvel";

namespace {

using base::BufferText;
using document::PathBuffer;

bool InUse(const PathBuffer &slot) { return slot[0] != '\0'; }

bool SamePath(const PathBuffer &a, const PathBuffer &b) {
    return std::strncmp(a.data(), b.data(), a.size()) == 0;
}

// Writes the five values in order, stopping at the first failed write.
void WriteAll(RegistryKey &key, const RecentFiles &files) {
    for (int i = 0; i < kRecentFileCount; ++i) {
        const std::string text = base::BufferText(files[i].data(), files[i].size());
        if (key.SetString(RecentFileValueName(i), text) != 0) return;
    }
}

}  // namespace

std::string RecentFileValueName(int slot) { return "Ago_OpenFilne" + std::to_string(slot); }

void ClearRecentFiles(RecentFiles &files) {
    for (PathBuffer &slot : files) slot.fill('\0');
}

void LoadRecentFiles(RecentFiles &files, KeyStore &store, Shell &shell) {
    RegistryKey key(store);
    if (key.Open(kSettingsKey, "w") != 0) {
        shell.ShowMessage({shell.MainWindow(), "起動エラー", "Morvel", document::MessageIcon::Error,
                           document::MessageButtons::Ok});
        shell.PostDestroy();
    } else {
        if (key.CreatedNew()) {
            for (int i = 0; i < kRecentFileCount; ++i) {
                if (key.SetString(RecentFileValueName(i), "") != 0) break;
            }
        }
        for (int i = 0; i < kRecentFileCount; ++i) {
            PathBuffer value{};
            if (key.Query(RecentFileValueName(i), value.data(), value.size()) != 0) break;
            // A value that fills the buffer without a terminator is cut, never
            // read past.
            value.back() = '\0';
            files[i] = value;
        }
    }
    key.Close();
    InsertRecentMenu(files, shell);
}

void AddRecentFile(RecentFiles &files, const PathBuffer &path, KeyStore &store) {
    if (SamePath(path, files[0])) return;
    if (!SamePath(path, files[1])) {
        if (!SamePath(path, files[2])) {
            if (!SamePath(path, files[3])) files[4] = files[3];
            files[3] = files[2];
        }
        files[2] = files[1];
    }
    files[1] = files[0];
    files[0] = path;

    RegistryKey key(store);
    if (key.Open(kSettingsKey, "w") != 0) return;
    // A key that had to be created now was removed while the program ran:
    // the list then lives on only in memory and in the menu.
    if (!key.CreatedNew()) WriteAll(key, files);
    key.Close();
}

void InsertRecentMenu(const RecentFiles &files, Shell &shell) {
    for (int i = 0; i < kRecentFileCount && InUse(files[i]); ++i) {
        shell.InsertFileMenuItem(kRecentMenuPosition + i, CMD_RECENT_FILE_0 + i,
                                 base::BufferText(files[i].data(), files[i].size()));
    }
}

void RemoveRecentMenu(const RecentFiles &files, Shell &shell) {
    for (int i = 0; i < kRecentFileCount && InUse(files[i]); ++i) {
        shell.DeleteFileMenuItem(kRecentMenuPosition);
    }
}

std::string FolderOfPath(const std::string &path) {
    const size_t separator = base::Cp932FindLastOf(path, "\\:");
    return separator == std::string::npos ? path : path.substr(0, separator + 1);
}

void PrepareRecentOpen(const RecentFiles &files, int slot, PathBuffer &openPath, Shell &shell) {
    openPath = files[slot];
    const std::string path = base::BufferText(openPath.data(), openPath.size());
    shell.ChangeDirectory(FolderOfPath(path));
}

}  // namespace morvel::app
