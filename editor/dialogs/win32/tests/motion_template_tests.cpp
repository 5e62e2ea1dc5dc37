// IDD_EDIT_MOTION as Windows creates it from the program's resources.
#include <gtest/gtest.h>
#include <windows.h>

#include "control_layouts.h"
#include "dialogs/motion_dialog_ids.h"
#include "template_extras.h"

namespace morvel::testing {
namespace {

TEST(MotionTemplateTest, ControlsAsTheDialogDrivesThem) {
    const DialogLayout table{
        "IDD_EDIT_MOTION",
        "編集：モーション",
        "ＭＳ ゴシック",
        10,
        {50, 50, 250, 170},
        {List(IDC_MOTION_LIST, {5, 9, 240, 91}),
         Label(-1, "No.", {5, 0, 30, 10}),
         Label(-1, "フレーム数", {35, 0, 45, 10}),
         Label(-1, "モーション名", {80, 0, 165, 10}),
         Button(IDC_MOTION_IMPORT, "インポート", {5, 100, 50, 10}),
         Button(IDC_MOTION_EXPORT, "エクスポート", {55, 100, 50, 10}),
         Button(IDC_MOTION_DELETE, "削除", {145, 100, 25, 10}),
         Button(IDC_MOTION_COPY, "コピー", {170, 100, 25, 10}),
         Button(IDC_MOTION_UP, "▲", {195, 100, 25, 10}),
         Button(IDC_MOTION_DOWN, "▼", {220, 100, 25, 10}),
         Label(-1, "No.", {5, 110, 70, 11}),
         Label(IDC_MOTION_NUMBER, "No.", {75, 110, 25, 11}),
         Label(-1, "フレーム数", {5, 120, 70, 10}),
         Label(IDC_MOTION_FRAME_COUNT, "999", {75, 120, 25, 11}),
         Label(-1, "モーション名", {5, 130, 70, 10}),
         Edit(IDC_MOTION_NAME, {75, 130, 115, 10}),
         {-1, "Static", 0, SS_TYPEMASK, SS_LEFTNOWORDWRAP, "サウンドファイル名", {5, 139, 70, 10}},
         Edit(IDC_MOTION_SOUND, {75, 139, 115, 10}),
         Button(IDC_MOTION_BROWSE, "参照", {190, 139, 25, 10}),
         Button(IDC_MOTION_REGISTER, "登録", {40, 154, 44, 12}),
         Button(IDC_MOTION_UPDATE, "更新", {85, 154, 44, 12}),
         Button(IDC_MOTION_COMMIT, "確定", {150, 154, 44, 12}),
         Button(IDCANCEL, "キャンセル", {199, 154, 44, 12})}};
    HINSTANCE module = GetModuleHandleA(nullptr);
    const std::vector<std::string> faults = CheckDialogTemplate(module, table);
    EXPECT_TRUE(faults.empty()) << ::testing::PrintToString(faults);
    EXPECT_EQ(ControlsWithoutBorder(module, table.templateName,
                                    {IDC_MOTION_LIST, IDC_MOTION_NAME, IDC_MOTION_SOUND}),
              std::vector<int>{});
    EXPECT_EQ(ListsWithoutScrollBar(module, table.templateName, {IDC_MOTION_LIST}), std::vector<int>{});
}

}  // namespace
}  // namespace morvel::testing
