// The IDD_HELP_VERSION template as Windows creates it.
#include <gtest/gtest.h>
#include <windows.h>

#include "dialogs/version_dialog_ids.h"
#include "template_check.h"

namespace morvel::testing {
namespace {

TEST(VersionTemplateTest, ControlsAsTheAboutBoxHasThem) {
    // As Windows makes them: the icon static takes its icon's size (32 x 32
    // pixels) whatever the template's 20 x 20 units, and keeps the icon's
    // name as its text; the list box shows its scroll bar only once it has
    // more rows than room; Wine draws WS_BORDER of edits and list boxes as
    // a client edge, so that bit is not looked at. The fixed text is no tab
    // stop: the dialog would give it the focus with all its text selected.
    const DialogLayout table{
        "IDD_HELP_VERSION",
        "バージョン情報",
        "ＭＳ ゴシック",
        10,
        {50, 50, 219, 196},
        {{-1, "Static", 0, SS_TYPEMASK, SS_ICON, "IDI_APP_16_32", {5, 5, 18, 18}},
         {-1,
          "Static",
          0,
          SS_TYPEMASK,
          SS_CENTER,
          "ＤｉｒｅｃｔＸ モーションデータ作成ツール",
          {35, 5, 175, 10}},
         {IDC_VERSION_PRODUCT,
          "Static",
          0,
          SS_TYPEMASK,
          SS_CENTER,
          "モーションエディター",
          {35, 15, 175, 10}},
         {IDC_VERSION_NOTICE, "Static", 0, SS_TYPEMASK, SS_LEFT, "", {35, 25, 175, 10}},
         {IDC_VERSION_TEXT,
          "Edit",
          ES_MULTILINE | ES_READONLY | WS_VSCROLL,
          WS_TABSTOP,
          0,
          "",
          {5, 40, 210, 40}},
         {IDC_VERSION_SYSTEM_LIST,
          "ListBox",
          LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_TABSTOP,
          LBS_MULTIPLESEL | LBS_EXTENDEDSEL,
          0,
          "",
          {5, 80, 210, 40}},
         {IDCANCEL,
          "Button",
          WS_TABSTOP,
          BS_TYPEMASK,
          BS_PUSHBUTTON,
          "閉じる",
          {165, 175, 50, 14}}}};
    const std::vector<std::string> faults = CheckDialogTemplate(GetModuleHandleA(nullptr), table);
    EXPECT_TRUE(faults.empty()) << ::testing::PrintToString(faults);
}

}  // namespace
}  // namespace morvel::testing
