// The program's resources as Windows loads them: menu 101 item for item,
// the IDD_USERCODE template, the toolbar strip and the icon.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_ids.h"
#include "app/control_ids.h"
#include "template_check.h"

namespace morvel::testing {
namespace {

HINSTANCE Module() { return GetModuleHandleA(nullptr); }

// One line per item: its depth, text (UTF-8) and identifier; "-" for a
// separator, ">" before a submenu's text.
void Flatten(HMENU menu, int depth, std::vector<std::string> &lines) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[128] = {};
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = sizeof text;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &item);
        const std::string indent(static_cast<size_t>(depth) * 2, ' ');
        if (item.fType & MFT_SEPARATOR) {
            lines.push_back(indent + "-");
        } else if (item.hSubMenu) {
            lines.push_back(indent + ">" + text);
            Flatten(item.hSubMenu, depth + 1, lines);
        } else {
            lines.push_back(indent + text + " " + std::to_string(item.wID));
        }
    }
}

std::string Item(const char *text, int id) { return std::string(text) + " " + std::to_string(id); }

TEST(ResourcesTest, MainMenuHoldsEveryItemInOrder) {
    HMENU menu = LoadMenuA(Module(), MAKEINTRESOURCEA(IDR_MAIN_MENU));
    ASSERT_NE(menu, nullptr);
    std::vector<std::string> lines;
    Flatten(menu, 0, lines);
    DestroyMenu(menu);
    // Texts are compared as the program has them (code page 932).
    const std::vector<std::string> expected = {
        ">ファイル",
        "  " + Item("新規", CMD_FILE_NEW), "  " + Item("開く", CMD_FILE_OPEN),
        "  " + Item("上書き保存", CMD_FILE_SAVE), "  " + Item("名前を付けて保存", CMD_FILE_SAVE_AS),
        "  -", "  -", "  " + Item("ショートカットを作成", CMD_FILE_SHORTCUT), "  -",
        "  " + Item("終了", CMD_FILE_EXIT),
        ">表示",
        "  >グリッド", "    " + Item("表示", CMD_VIEW_AXES), "    " + Item("カラー", CMD_VIEW_AXIS_COLOUR),
        "  >背景色", "    " + Item("カラー", CMD_VIEW_BACKGROUND_COLOUR),
        "  >ステータス文字", "    " + Item("表示", CMD_VIEW_STATUS_TEXT),
        "    " + Item("カラー", CMD_VIEW_STATUS_TEXT_COLOUR),
        ">編集",
        "  " + Item("ヘッダ (F5)", CMD_EDIT_HEADER), "  " + Item("パーツ (F6)", CMD_EDIT_PARTS),
        "  " + Item("モーション (F7)", CMD_EDIT_MOTION), "  " + Item("フレーム (F8)", CMD_EDIT_FRAME),
        "  " + Item("ポジション (F9)", CMD_EDIT_POSITION), "  -",
        "  " + Item("元に戻す (Ctrl＋Z)", CMD_EDIT_UNDO), "  " + Item("やり直し (Ctrl＋Y)", CMD_EDIT_REDO),
        ">シフト",
        "  >モーション", "    " + Item("戻る", CMD_SHIFT_MOTION_PREVIOUS), "    " + Item("次へ", CMD_SHIFT_MOTION_NEXT),
        "  >フレーム", "    " + Item("戻る", CMD_SHIFT_FRAME_PREVIOUS), "    " + Item("次へ", CMD_SHIFT_FRAME_NEXT),
        "  >ポジション", "    " + Item("戻る", CMD_SHIFT_POSITION_PREVIOUS),
        "    " + Item("次へ", CMD_SHIFT_POSITION_NEXT),
        ">ポジション",
        "  " + Item("フォーカス (F)", CMD_MODE_VIEW), "  " + Item("座標 (P)", CMD_MODE_TRANSLATE),
        "  " + Item("回転 (R)", CMD_MODE_ROTATE), "  " + Item("拡大 (S)", CMD_MODE_SCALE), "  -",
        "  >マウス動作", "    " + Item("上下左右", CMD_MOUSE_FREE), "    " + Item("左右のみ", CMD_MOUSE_HORIZONTAL),
        "    " + Item("上下のみ", CMD_MOUSE_VERTICAL),
        ">ツール",
        "  " + Item("glTF / OBJ から作成...", CMD_TOOL_IMPORT_FIGURE),
        "  " + Item("glTF に書き出し...", CMD_TOOL_EXPORT_GLTF), "  -",
        "  " + Item("ポーズをコピー (Ctrl＋C)", CMD_TOOL_COPY_POSE),
        "  " + Item("ポーズを貼り付け (Ctrl＋V)", CMD_TOOL_PASTE_POSE),
        "  " + Item("左右反転して貼り付け (Ctrl＋Shift＋V)", CMD_TOOL_PASTE_POSE_MIRRORED), "  -",
        "  " + Item("タイムライン", CMD_TOOL_TIMELINE), "  " + Item("編集履歴", CMD_TOOL_HISTORY),
        "  -", "  " + Item("自動保存...", CMD_TOOL_AUTOSAVE),
        ">再生",
        "  " + Item("再生／停止 (Space)", CMD_PLAY_TOGGLE), "  -", "  " + Item("ループ", CMD_PLAY_LOOP),
        "  " + Item("補間", CMD_PLAY_INTERPOLATE), "  " + Item("オニオンスキン", CMD_PLAY_ONION_SKIN),
        "  -", "  " + Item("速度...", CMD_PLAY_SPEED),
        ">ヘルプ",
        "  " + Item("目次", CMD_HELP_CONTENTS), "  " + Item("索引", CMD_HELP_INDEX), "  -",
        "  " + Item("バージョン", CMD_HELP_VERSION),
    };
    EXPECT_EQ(lines, expected);
}

TEST(ResourcesTest, UserCodePromptTemplate) {
    const DialogLayout table{
        "IDD_USERCODE", "ファイル読込", "ＭＳ Ｐゴシック", 9, {50, 50, 179, 45},
        {{-1, "Static", SS_SUNKEN, SS_TYPEMASK, SS_CENTER, "ユーザ識別コード", {5, 5, 60, 16}},
         {IDC_USERCODE_EDIT, "Edit", ES_AUTOHSCROLL | WS_TABSTOP, 0, 0, "", {65, 5, 110, 16}},
         {IDOK, "Button", WS_TABSTOP, BS_TYPEMASK, BS_DEFPUSHBUTTON, "OK", {70, 25, 50, 14}},
         {IDCANCEL, "Button", WS_TABSTOP, BS_TYPEMASK, BS_PUSHBUTTON, "ｷｬﾝｾﾙ", {126, 25, 50, 14}}}};
    const std::vector<std::string> faults = CheckDialogTemplate(Module(), table);
    EXPECT_TRUE(faults.empty()) << ::testing::PrintToString(faults);
}

TEST(ResourcesTest, ToolbarStripAndIcon) {
    HBITMAP strip = LoadBitmapA(Module(), MAKEINTRESOURCEA(IDB_TOOLBAR));
    ASSERT_NE(strip, nullptr);
    BITMAP info{};
    GetObjectA(strip, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 24 * 16);
    EXPECT_EQ(info.bmHeight, 16);
    DeleteObject(strip);
    for (int size : {16, 32}) {
        HICON icon = static_cast<HICON>(LoadImageA(Module(), "IDI_APP_16_32", IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO parts{};
        ASSERT_TRUE(GetIconInfo(icon, &parts));
        BITMAP colour{};
        GetObjectA(parts.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, size);
        DeleteObject(parts.hbmColor);
        DeleteObject(parts.hbmMask);
        DestroyIcon(icon);
    }
}

}  // namespace
}  // namespace morvel::testing
