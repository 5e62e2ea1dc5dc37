// IDD_EDIT_PARTS as Windows creates it from the program's resources.
#include <gtest/gtest.h>
#include <windows.h>

#include "control_layouts.h"
#include "dialogs/parts_dialog_ids.h"
#include "template_extras.h"

namespace morvel::testing {
namespace {

TEST(PartsTemplateTest, ControlsAsTheDialogDrivesThem) {
    const DialogLayout table{
        "IDD_EDIT_PARTS",
        "編集：パーツ",
        "ＭＳ ゴシック",
        10,
        {50, 50, 249, 170},
        {Label(-1, "No.", {5, 0, 30, 10}), Label(-1, "パーツ名", {35, 0, 210, 10}),
         List(IDC_PARTS_LIST, {5, 9, 240, 106}), Label(-1, "No.", {5, 115, 70, 11}),
         Label(IDC_PARTS_NUMBER, "No.", {75, 115, 25, 11}),
         Button(IDC_PARTS_DELETE, "削除", {170, 115, 25, 10}),
         Button(IDC_PARTS_UP, "▲", {195, 115, 25, 10}),
         Button(IDC_PARTS_DOWN, "▼", {220, 115, 25, 10}),
         Label(-1, "パーツファイル名", {5, 125, 70, 10}),
         Edit(IDC_PARTS_FILE_NAME, {5, 135, 210, 10}),
         Button(IDC_PARTS_BROWSE, "参照", {215, 135, 25, 10}),
         Button(IDC_PARTS_REGISTER, "登録", {40, 155, 44, 12}),
         Button(IDC_PARTS_UPDATE, "更新", {85, 155, 44, 12}),
         Button(IDC_PARTS_COMMIT, "確定", {150, 155, 44, 12}),
         Button(IDCANCEL, "キャンセル", {199, 155, 44, 12})}};
    HINSTANCE module = GetModuleHandleA(nullptr);
    const std::vector<std::string> faults = CheckDialogTemplate(module, table);
    EXPECT_TRUE(faults.empty()) << ::testing::PrintToString(faults);
    EXPECT_EQ(
        ControlsWithoutBorder(module, table.templateName, {IDC_PARTS_LIST, IDC_PARTS_FILE_NAME}),
        std::vector<int>{});
    EXPECT_EQ(ListsWithoutScrollBar(module, table.templateName, {IDC_PARTS_LIST}), std::vector<int>{});
}

}  // namespace
}  // namespace morvel::testing
