#include "app/win32/shell_link.h"

#include <objbase.h>
#include <objidl.h>
#include <shlguid.h>
#include <shlobj.h>

#include <cstring>

#include "app/recent_files.h"
#include "app/win32/system_functions.h"

namespace morvel::app::win32 {

HRESULT CreateDesktopShortcut(HWND owner, const std::string &linkName,
                              const std::string &description) {
    auto *folderPath =
        System<decltype(SHGetSpecialFolderPathA)>("shell32.dll", "SHGetSpecialFolderPathA");
    auto *initialise = System<decltype(CoInitialize)>("ole32.dll", "CoInitialize");
    auto *create = System<decltype(CoCreateInstance)>("ole32.dll", "CoCreateInstance");
    auto *uninitialise = System<decltype(CoUninitialize)>("ole32.dll", "CoUninitialize");
    if (!folderPath || !initialise || !create || !uninitialise) return E_FAIL;
    char desktop[MAX_PATH] = {};
    if (!folderPath(owner, desktop, CSIDL_DESKTOP, TRUE)) return E_FAIL;
    const std::string shortcutPath = desktop + linkName;

    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    // The folder the program lies in, cut after its last '\' or ':'.
    const std::string folder = FolderOfPath(program);
    char workingFolder[MAX_PATH] = {};
    std::strncpy(workingFolder, folder.c_str(), MAX_PATH - 1);

    if (FAILED(initialise(nullptr))) return E_FAIL;
    IShellLinkA *link = nullptr;
    HRESULT result = create(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                            reinterpret_cast<void **>(&link));
    if (FAILED(result)) {
        uninitialise();
        return result;
    }
    IPersistFile *file = nullptr;
    result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file));
    if (SUCCEEDED(result)) {
        link->SetPath(program);
        link->SetDescription(description.c_str());
        link->SetArguments("");
        link->SetWorkingDirectory(workingFolder);
        link->SetIconLocation("", 0);
        link->SetShowCmd(SW_SHOWNORMAL);
        WCHAR widePath[MAX_PATH] = {};
        MultiByteToWideChar(CP_ACP, 0, shortcutPath.c_str(), -1, widePath, MAX_PATH);
        result = file->Save(widePath, TRUE);
        file->Release();
    }
    link->Release();
    uninitialise();
    return result;
}

}  // namespace morvel::app::win32
