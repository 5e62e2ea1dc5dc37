// IDD_EDIT_HEAD as Windows creates it from the program's resources.
#include <gtest/gtest.h>
#include <windows.h>

#include "control_layouts.h"
#include "dialogs/header_dialog_ids.h"
#include "template_extras.h"

namespace morvel::testing {
namespace {

ControlLayout Radio(int id, const char *text, RECT r, DWORD group = 0) {
    return {id, "Button", WS_TABSTOP | group, BS_TYPEMASK, BS_AUTORADIOBUTTON, text, r};
}
ControlLayout CheckBox(int id, const char *text, RECT r) {
    return {id, "Button", WS_TABSTOP, BS_TYPEMASK, BS_AUTOCHECKBOX, text, r};
}

TEST(HeaderTemplateTest, ControlsAsTheDialogDrivesThem) {
    const DialogLayout table{
        "IDD_EDIT_HEAD",
        "編集：ヘッダ",
        "ＭＳ ゴシック",
        10,
        {50, 50, 259, 127},
        {Label(-1, "ユーザ識別コード", {5, 5, 75, 11}),
         Edit(IDC_HEADER_USER_CODE, {80, 5, 110, 12}),
         Label(-1, "パーツ数", {5, 20, 75, 11}),
         Label(IDC_HEADER_PART_COUNT, "9999", {80, 20, 45, 11}),
         Label(-1, "モーション数", {5, 30, 75, 11}),
         Label(IDC_HEADER_MOTION_COUNT, "9999", {80, 30, 45, 11}),
         Label(-1, "カリングモード", {5, 45, 75, 11}),
         Radio(IDC_HEADER_CULL_NONE, "無し", {85, 45, 30, 11}, WS_GROUP),
         Radio(IDC_HEADER_CULL_RIGHT, "右回り", {120, 45, 35, 11}),
         Radio(IDC_HEADER_CULL_LEFT, "左回り", {155, 45, 35, 11}),
         Label(-1, "空間座標方向", {5, 55, 75, 11}),
         CheckBox(IDC_HEADER_AXIS_X, "X軸", {85, 55, 27, 11}),
         CheckBox(IDC_HEADER_AXIS_Y, "Y軸", {120, 55, 27, 11}),
         CheckBox(IDC_HEADER_AXIS_Z, "Z軸", {155, 55, 27, 11}),
         Label(-1, "空間座標系", {5, 65, 75, 11}),
         CheckBox(IDC_HEADER_RIGHT_HANDED, "右手", {85, 65, 31, 11}),
         {-1, "Button", 0, BS_TYPEMASK, BS_GROUPBOX, "ポジション初期値", {5, 80, 250, 25}},
         Label(-1, "スケール(XYZ)", {10, 90, 60, 11}),
         Edit(IDC_HEADER_SCALE_X, {70, 90, 60, 11}, ES_RIGHT),
         Edit(IDC_HEADER_SCALE_Y, {130, 90, 60, 11}, ES_RIGHT),
         Edit(IDC_HEADER_SCALE_Z, {190, 90, 59, 11}, ES_RIGHT),
         Button(IDC_HEADER_COMMIT, "確定", {160, 110, 44, 12}),
         Button(IDCANCEL, "キャンセル", {210, 110, 44, 12})}};
    HINSTANCE module = GetModuleHandleA(nullptr);
    const std::vector<std::string> faults = CheckDialogTemplate(module, table);
    EXPECT_TRUE(faults.empty()) << ::testing::PrintToString(faults);
    EXPECT_EQ(ControlsWithoutBorder(module, table.templateName,
                                    {IDC_HEADER_USER_CODE, IDC_HEADER_SCALE_X, IDC_HEADER_SCALE_Y,
                                     IDC_HEADER_SCALE_Z}),
              std::vector<int>{});
}

// Clicking one culling button clears the other two and no check box.
TEST(HeaderTemplateTest, TheCullingButtonsAreOneGroup) {
    HWND dialog =
        CreateDialogParamA(GetModuleHandleA(nullptr), "IDD_EDIT_HEAD", nullptr, QuietDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    CheckDlgButton(dialog, IDC_HEADER_CULL_LEFT, BST_CHECKED);
    CheckDlgButton(dialog, IDC_HEADER_AXIS_X, BST_CHECKED);
    CheckDlgButton(dialog, IDC_HEADER_RIGHT_HANDED, BST_CHECKED);
    SendDlgItemMessageA(dialog, IDC_HEADER_CULL_RIGHT, BM_CLICK, 0, 0);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_HEADER_CULL_RIGHT), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_HEADER_CULL_LEFT), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_HEADER_CULL_NONE), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_HEADER_AXIS_X), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_HEADER_RIGHT_HANDED), BST_CHECKED);
    DestroyWindow(dialog);
}

}  // namespace
}  // namespace morvel::testing
