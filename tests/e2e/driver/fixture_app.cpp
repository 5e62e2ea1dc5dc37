// A small ANSI Win32 program with the kinds of windows the editor has: a
// Japanese title, a menu, a toolbar with tooltips, a three-part status bar,
// a Yes/No message box, a modal dialog and the common choosers. The
// end-to-end kit proves itself on it: every key and drag it receives shows
// in the status bar, so a scenario can check what arrived and in what state.
// <windows.h> first: the other Win32 headers need its types.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
// clang-format on

#include <cstdio>
#include <string>

#include "fixture_ids.h"

namespace {

const char kClassName[] = "MorvelE2eFixture";
const char kTitle[] = "フィクスチャ 窓";

enum StatusPart { kKeyPart = 0, kMousePart = 1, kResultPart = 2 };

struct SettingsResult {
    int row = -1;
    char name[64] = {};
    bool enabled = false;
    bool large = false;
};

struct Drag {
    bool active = false;
    bool right = false;
    POINT start = {};
    int moves = 0;
    int movesWithButton = 0;
    int movesWithShift = 0;
    int movesWithControl = 0;
};

HWND g_status = nullptr;
HWND g_toolbar = nullptr;
Drag g_drag;

void SetStatus(StatusPart part, const std::string &text) {
    SendMessageA(g_status, SB_SETTEXTA, part, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string KeyName(WPARAM vk) {
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) {
        return std::string(1, static_cast<char>(vk));
    }
    if (vk >= VK_F1 && vk <= VK_F24) return "F" + std::to_string(vk - VK_F1 + 1);
    switch (vk) {
        case VK_LEFT:
            return "Left";
        case VK_RIGHT:
            return "Right";
        case VK_UP:
            return "Up";
        case VK_DOWN:
            return "Down";
        case VK_SPACE:
            return "Space";
        case VK_RETURN:
            return "Return";
        case VK_ESCAPE:
            return "Escape";
        case VK_DELETE:
            return "Delete";
        case VK_PRIOR:
            return "Prior";
        case VK_NEXT:
            return "Next";
        default: {
            char text[8];
            std::snprintf(text, sizeof text, "VK%02X", static_cast<unsigned>(vk));
            return text;
        }
    }
}

void ShowKey(WPARAM vk) {
    if (vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU) return;
    std::string chord;
    if (GetKeyState(VK_SHIFT) < 0) chord += "Shift+";
    if (GetKeyState(VK_CONTROL) < 0) chord += "Ctrl+";
    SetStatus(kKeyPart, "キー: " + chord + KeyName(vk));
}

POINT PointOf(LPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

void ShowDrag(HWND window, LPARAM lParam, bool finished) {
    POINT at = PointOf(lParam);
    char text[200];
    std::snprintf(text, sizeof text, "%s %s dx=%ld dy=%ld 移動=%d 押下=%d Shift=%d Ctrl=%d 捕捉=%d",
                  finished ? "ドラッグ" : "ドラッグ中", g_drag.right ? "右" : "左",
                  at.x - g_drag.start.x, at.y - g_drag.start.y, g_drag.moves,
                  g_drag.movesWithButton, g_drag.movesWithShift, g_drag.movesWithControl,
                  GetCapture() == window ? 1 : 0);
    SetStatus(kMousePart, text);
}

INT_PTR CALLBACK SettingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    static SettingsResult *result = nullptr;
    switch (message) {
        case WM_INITDIALOG: {
            result = reinterpret_cast<SettingsResult *>(lParam);
            for (const char *fruit : {"りんご", "みかん", "ぶどう"}) {
                SendDlgItemMessageA(dialog, IDC_SETTINGS_LIST, LB_ADDSTRING, 0,
                                    reinterpret_cast<LPARAM>(fruit));
            }
            SetDlgItemTextA(dialog, IDC_SETTINGS_EDIT, "初期値");
            CheckRadioButton(dialog, IDC_SETTINGS_RADIO_A, IDC_SETTINGS_RADIO_B,
                             IDC_SETTINGS_RADIO_A);
            return TRUE;
        }
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const int code = HIWORD(wParam);
            if (id == IDC_SETTINGS_LIST && code == LBN_SELCHANGE) {
                const LRESULT row = SendDlgItemMessageA(dialog, id, LB_GETCURSEL, 0, 0);
                char item[64] = {};
                if (row >= 0 && SendDlgItemMessageA(dialog, id, LB_GETTEXTLEN, row, 0) <
                                    static_cast<LRESULT>(sizeof item)) {
                    SendDlgItemMessageA(dialog, id, LB_GETTEXT, row,
                                        reinterpret_cast<LPARAM>(item));
                }
                SetDlgItemTextA(dialog, IDC_SETTINGS_CHOSEN,
                                (std::string("選択: ") + item).c_str());
                return TRUE;
            }
            if (id == IDOK || (id == IDC_SETTINGS_LIST && code == LBN_DBLCLK)) {
                result->row = static_cast<int>(
                    SendDlgItemMessageA(dialog, IDC_SETTINGS_LIST, LB_GETCURSEL, 0, 0));
                GetDlgItemTextA(dialog, IDC_SETTINGS_EDIT, result->name, sizeof result->name);
                result->enabled = IsDlgButtonChecked(dialog, IDC_SETTINGS_CHECK) == BST_CHECKED;
                result->large = IsDlgButtonChecked(dialog, IDC_SETTINGS_RADIO_B) == BST_CHECKED;
                EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (id == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        }
        default:
            return FALSE;
    }
}

void ChooseFile(HWND window, bool save) {
    char path[MAX_PATH] = {};
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = window;
    ofn.lpstrFilter = "モーション (*.mvl)\0*.mvl\0すべて (*.*)\0*.*\0";
    ofn.lpstrFile = path;
    ofn.nMaxFile = sizeof path;
    ofn.lpstrDefExt = "mvl";
    ofn.Flags =
        OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    const BOOL chosen = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    const std::string verb = save ? "保存: " : "開く: ";
    if (!chosen) {
        SetStatus(kResultPart, verb + "取消");
        return;
    }
    if (save) {
        // Writing the file lets a scenario check the path from the host side.
        if (FILE *file = std::fopen(path, "wb")) {
            std::fputs("fixture\n", file);
            std::fclose(file);
        }
    }
    SetStatus(kResultPart, verb + path);
    SetWindowTextA(window, (std::string(kTitle) + " [" + (path + ofn.nFileOffset) + "]").c_str());
}

void ChooseColour(HWND window) {
    static COLORREF custom[16] = {};
    CHOOSECOLORA cc = {};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = window;
    cc.rgbResult = RGB(10, 20, 30);
    cc.lpCustColors = custom;
    cc.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (!ChooseColorA(&cc)) {
        SetStatus(kResultPart, "色: 取消");
        return;
    }
    char text[64];
    std::snprintf(text, sizeof text, "色: %d,%d,%d", GetRValue(cc.rgbResult),
                  GetGValue(cc.rgbResult), GetBValue(cc.rgbResult));
    SetStatus(kResultPart, text);
}

void OnCommand(HWND window, int id) {
    switch (id) {
        case IDM_FIXTURE_OPEN:
            ChooseFile(window, false);
            break;
        case IDM_FIXTURE_SAVE:
            ChooseFile(window, true);
            break;
        case IDM_FIXTURE_EXIT:
            DestroyWindow(window);
            break;
        case IDM_FIXTURE_ASK: {
            const int answer =
                MessageBoxA(window, "変更を保存しますか？", "確認", MB_YESNO | MB_ICONQUESTION);
            SetStatus(kResultPart, answer == IDYES ? "確認: はい" : "確認: いいえ");
            break;
        }
        case IDM_FIXTURE_SETTINGS: {
            SettingsResult result;
            const INT_PTR ended =
                DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_FIXTURE_SETTINGS),
                                window, SettingsProc, reinterpret_cast<LPARAM>(&result));
            if (ended != IDOK) {
                SetStatus(kResultPart, "設定: 取消");
                break;
            }
            char text[160];
            std::snprintf(text, sizeof text, "設定: 行=%d 名前=%s 有効=%d 大きい=%d", result.row,
                          result.name, result.enabled ? 1 : 0, result.large ? 1 : 0);
            SetStatus(kResultPart, text);
            break;
        }
        case IDM_FIXTURE_COLOR:
            ChooseColour(window);
            break;
        case IDM_FIXTURE_CRASH: {
            // How a crashing program looks to the harness.
            volatile int *nowhere = nullptr;
            *nowhere = 1;
            break;
        }
        case IDM_FIXTURE_CHECKED: {
            HMENU menu = GetMenu(window);
            const bool checked = GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED;
            CheckMenuItem(menu, id, MF_BYCOMMAND | (checked ? MF_UNCHECKED : MF_CHECKED));
            break;
        }
        default:
            break;
    }
}

void CreateBars(HWND window) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    g_toolbar = CreateWindowExA(
        0, TOOLBARCLASSNAMEA, nullptr, WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT, 0,
        0, 0, 0, window, reinterpret_cast<HMENU>(IDC_FIXTURE_TOOLBAR), instance, nullptr);
    SendMessageA(g_toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(g_toolbar, TB_LOADIMAGES, IDB_STD_SMALL_COLOR,
                 reinterpret_cast<LPARAM>(HINST_COMMCTRL));
    TBBUTTON buttons[2] = {};
    buttons[0] = {STD_FILEOPEN, IDM_FIXTURE_OPEN, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0};
    buttons[1] = {STD_PROPERTIES, IDM_FIXTURE_SETTINGS, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0};
    SendMessageA(g_toolbar, TB_ADDBUTTONSA, 2, reinterpret_cast<LPARAM>(buttons));
    SendMessageA(g_toolbar, TB_AUTOSIZE, 0, 0);

    g_status = CreateWindowExA(0, STATUSCLASSNAMEA, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP,
                               0, 0, 0, 0, window, reinterpret_cast<HMENU>(IDC_FIXTURE_STATUS),
                               instance, nullptr);
    int edges[3] = {180, 460, -1};
    SendMessageA(g_status, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
    SetStatus(kKeyPart, "キー: なし");
    SetStatus(kMousePart, "マウス: なし");
    SetStatus(kResultPart, "準備完了");
}

const char *TooltipFor(UINT_PTR command) {
    switch (command) {
        case IDM_FIXTURE_OPEN:
            return "ファイルを開く";
        case IDM_FIXTURE_SETTINGS:
            return "設定を変える";
        default:
            return nullptr;
    }
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            CreateBars(window);
            return 0;
        case WM_SIZE:
            SendMessageA(g_toolbar, TB_AUTOSIZE, 0, 0);
            SendMessageA(g_status, WM_SIZE, 0, 0);
            return 0;
        case WM_COMMAND:
            OnCommand(window, LOWORD(wParam));
            return 0;
        case WM_NOTIFY: {
            auto *header = reinterpret_cast<NMHDR *>(lParam);
            if (header->code == TTN_GETDISPINFOA) {
                auto *info = reinterpret_cast<NMTTDISPINFOA *>(lParam);
                if (const char *tip = TooltipFor(header->idFrom)) {
                    info->lpszText = const_cast<char *>(tip);
                }
            } else if (header->code == TTN_GETDISPINFOW) {
                static wchar_t wide[64];
                auto *info = reinterpret_cast<NMTTDISPINFOW *>(lParam);
                if (const char *tip = TooltipFor(header->idFrom)) {
                    MultiByteToWideChar(CP_ACP, 0, tip, -1, wide, 64);
                    info->lpszText = wide;
                }
            }
            return 0;
        }
        case WM_KEYDOWN:
            ShowKey(wParam);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            g_drag = Drag{true, message == WM_RBUTTONDOWN, PointOf(lParam)};
            SetCapture(window);
            ShowDrag(window, lParam, false);
            return 0;
        case WM_MOUSEMOVE:
            if (g_drag.active) {
                ++g_drag.moves;
                if (wParam & (g_drag.right ? MK_RBUTTON : MK_LBUTTON)) ++g_drag.movesWithButton;
                if (wParam & MK_SHIFT) ++g_drag.movesWithShift;
                if (wParam & MK_CONTROL) ++g_drag.movesWithControl;
                ShowDrag(window, lParam, false);
            }
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            if (g_drag.active && (message == WM_RBUTTONUP) == g_drag.right) {
                ShowDrag(window, lParam, true);
                g_drag.active = false;
                ReleaseCapture();
            }
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszMenuName = MAKEINTRESOURCEA(IDR_FIXTURE_MENU);
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);

    const std::string title = std::string(kTitle) + " [新規]";
    HWND window = CreateWindowExA(0, kClassName, title.c_str(), WS_OVERLAPPEDWINDOW, 40, 40, 640,
                                  480, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, show);
    UpdateWindow(window);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
