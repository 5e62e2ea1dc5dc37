// The version dialog with the machine's real DirectX probe: it finds a
// version, and opening the dialog again and again leaves no library behind.
// clang-format off
#include <windows.h>
#include <tlhelp32.h>  // after windows.h, which it needs
// clang-format on

#include <gtest/gtest.h>
#include <objbase.h>

#include <algorithm>
#include <cctype>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "app/editor_state.h"
#include "dialogs/version_dialog.h"
#include "dialogs/win32/modal_dialog.h"
#include "dialogs/win32/win32_directx_components.h"

namespace morvel::dialogs {
namespace {

std::set<std::string> LoadedModules() {
    std::set<std::string> names;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, GetCurrentProcessId());
    if (snapshot == INVALID_HANDLE_VALUE) return names;
    MODULEENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Module32First(snapshot, &entry); more; more = Module32Next(snapshot, &entry)) {
        std::string name = entry.szModule;
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        names.insert(name);
    }
    CloseHandle(snapshot);
    return names;
}

std::vector<std::string> Difference(const std::set<std::string> &a,
                                    const std::set<std::string> &b) {
    std::vector<std::string> only;
    std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(only));
    return only;
}

// The libraries the probe loads (or has COM load) that the system does not
// keep once they are freed. (Under Wine DDRAW.DLL and DSOUND.DLL pin
// themselves, and the sound drivers DirectMusic brings in stay with the
// multimedia library: loaded once, they stay whatever the probe does.)
const char *const kFreedLibraries[] = {"dinput.dll", "d3d8.dll", "dmusic.dll", "dmsynth.dll"};

// Whether this thread is out of COM: an STA left initialised refuses a
// multithreaded apartment.
bool ComUninitialised() {
    const HRESULT result = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (SUCCEEDED(result)) CoUninitialize();
    return result != RPC_E_CHANGED_MODE;
}

// The real dialog, closed by a posted IDCANCEL as soon as it is filled;
// keeps the list's lines as the list box has them.
class SelfClosingVersionDialog : public app::DialogController {
public:
    SelfClosingVersionDialog(const app::EditorState &state, DirectXComponents &directX)
        : dialog_(state, &directX) {}
    void OnInit(app::DialogView &view) override {
        dialog_.OnInit(view);
        HWND window = static_cast<HWND>(view.Window());
        HWND list = GetDlgItem(window, IDC_VERSION_SYSTEM_LIST);
        const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            std::string line(static_cast<size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)), '\0');
            SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()));
            lines.push_back(line);
        }
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
    void OnCommand(app::DialogView &view, int id, int notifyCode) override {
        dialog_.OnCommand(view, id, notifyCode);
    }
    std::vector<std::string> lines;

private:
    VersionDialog dialog_;
};

TEST(VersionProbeTest, TheRealProbeFindsAVersionAndGivesEverythingBack) {
    win32::Win32DirectXComponents directX;
    const std::set<std::string> before = LoadedModules();
    const uint32_t version = DetectDirectXVersion(directX);
    const std::set<std::string> after = LoadedModules();
    std::cout << "DirectX found: 0x" << std::hex << version << std::dec << " (Ver "
              << DirectXMajor(version) << "." << DirectXMinor(version) << ")\n"
              << "modules the system keeps after a first probe: "
              << ::testing::PrintToString(Difference(after, before)) << "\n";
    EXPECT_NE(version, 0u) << "this machine has DirectDraw";
    for (const char *library : kFreedLibraries) {
        EXPECT_EQ(after.count(library), before.count(library)) << library;
    }
    EXPECT_TRUE(ComUninitialised());
    EXPECT_EQ(DetectDirectXVersion(directX), version) << "a second probe finds the same";
}

TEST(VersionProbeTest, OpeningTheDialogTwiceLeavesNoModuleBehind) {
    app::EditorState state;
    state.deviceTypeText = "HAL HARDWARE";
    state.viewRect = {0, 31, 640, 452};
    win32::Win32DirectXComponents directX;
    const HINSTANCE module = GetModuleHandleA(nullptr);
    DetectDirectXVersion(directX);  // what the system keeps once, it keeps from here on

    const std::set<std::string> before = LoadedModules();
    SelfClosingVersionDialog first(state, directX);
    ASSERT_TRUE(win32::RunModalDialog(module, nullptr, "IDD_HELP_VERSION", first));
    const std::set<std::string> afterFirst = LoadedModules();
    SelfClosingVersionDialog second(state, directX);
    ASSERT_TRUE(win32::RunModalDialog(module, nullptr, "IDD_HELP_VERSION", second));
    const std::set<std::string> afterSecond = LoadedModules();

    ASSERT_EQ(first.lines.size(), 5u);
    EXPECT_EQ(first.lines, second.lines);
    EXPECT_EQ(first.lines[3], "　　DirectX(本ソフト認識)：Ver 8.0");
    EXPECT_EQ(first.lines[4], "　　Direct3D-mode：HAL HARDWARE 640×452");
    EXPECT_EQ(Difference(afterFirst, before), std::vector<std::string>{});
    EXPECT_EQ(Difference(afterSecond, before), std::vector<std::string>{});
    EXPECT_TRUE(ComUninitialised());
}

}  // namespace
}  // namespace morvel::dialogs
