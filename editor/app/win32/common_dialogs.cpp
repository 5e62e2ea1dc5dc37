#include "app/win32/common_dialogs.h"

#include <commdlg.h>
#include <ole2.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "app/win32/system_functions.h"

namespace morvel::app::win32 {

document::MessageAnswer ShowMessageBox(const document::MessageRequest &request) {
    UINT type = request.buttons == document::MessageButtons::YesNo ? MB_YESNO : MB_OK;
    switch (request.icon) {
        case document::MessageIcon::Warning: type |= MB_ICONWARNING; break;
        case document::MessageIcon::Error: type |= MB_ICONERROR; break;
        case document::MessageIcon::Information: type |= MB_ICONINFORMATION; break;
        case document::MessageIcon::None: break;
    }
    switch (MessageBoxA(static_cast<HWND>(request.owner), request.text.c_str(),
                        request.caption.c_str(), type)) {
        case IDYES: return document::MessageAnswer::Yes;
        case IDNO: return document::MessageAnswer::No;
        case IDOK: return document::MessageAnswer::Ok;
        default: return document::MessageAnswer::Cancel;
    }
}

bool RunFileChooser(const document::FileChooserRequest &request, document::PathBuffer &path) {
    // Pairs of description and pattern, each NUL-terminated, then one more NUL.
    std::string filter;
    for (const document::FileFilter &f : request.filters) {
        filter += f.description;
        filter += '\0';
        filter += f.pattern;
        filter += '\0';
    }
    filter += '\0';
    OPENFILENAMEA ofn;
    std::memset(&ofn, 0, sizeof ofn);
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = static_cast<HWND>(request.owner);
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = path.data();
    ofn.nMaxFile = static_cast<DWORD>(path.size());
    ofn.lpstrTitle = request.title.c_str();
    ofn.Flags = OFN_EXPLORER | (request.pathMustExist ? OFN_PATHMUSTEXIST : 0) |
                (request.fileMustExist ? OFN_FILEMUSTEXIST : 0);
    const char *chooser =
        request.mode == document::FileChooserMode::Open ? "GetOpenFileNameA" : "GetSaveFileNameA";
    auto *choose = System<decltype(GetOpenFileNameA)>("comdlg32.dll", chooser);
    const BOOL chosen = choose != nullptr && choose(&ofn);
    return chosen != FALSE;
}

// The folder chooser opens on the folder its caller gave, when there is one.
static int CALLBACK OpenOnGivenFolder(HWND window, UINT message, LPARAM, LPARAM folder) {
    if (message == BFFM_INITIALIZED && folder != 0) SendMessageA(window, BFFM_SETSELECTIONA, TRUE, folder);
    return 0;
}

bool RunFolderChooser(HWND owner, const std::string &title, std::string &folder) {
    auto *initialise = System<decltype(OleInitialize)>("ole32.dll", "OleInitialize");
    auto *browse = System<decltype(SHBrowseForFolderA)>("shell32.dll", "SHBrowseForFolderA");
    auto *pathOf = System<decltype(SHGetPathFromIDListA)>("shell32.dll", "SHGetPathFromIDListA");
    auto *release = System<decltype(CoTaskMemFree)>("ole32.dll", "CoTaskMemFree");
    if (initialise == nullptr || browse == nullptr || pathOf == nullptr || release == nullptr) return false;
    // The chooser's new-style window needs OLE on this thread; it stays
    // initialised for the rest of the run.
    initialise(nullptr);
    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    info.lpfn = OpenOnGivenFolder;
    info.lParam = folder.empty() ? 0 : reinterpret_cast<LPARAM>(folder.c_str());
    PIDLIST_ABSOLUTE chosen = browse(&info);
    if (chosen == nullptr) return false;
    char path[MAX_PATH] = {};
    const bool named = pathOf(chosen, path) != FALSE;
    release(chosen);
    if (named) folder = path;
    return named;
}

bool RunColourChooser(HWND owner, uint32_t &colour) {
    COLORREF custom[16];
    std::memset(custom, 0xFF, sizeof custom);
    CHOOSECOLORA cc;
    std::memset(&cc, 0, sizeof cc);
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner;
    cc.rgbResult = colour;
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT;
    auto *chooseColour = System<decltype(ChooseColorA)>("comdlg32.dll", "ChooseColorA");
    if (chooseColour == nullptr || !chooseColour(&cc)) return false;
    colour = cc.rgbResult;
    return true;
}

}  // namespace morvel::app::win32
