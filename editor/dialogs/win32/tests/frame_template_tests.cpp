// IDD_EDIT_FRAME as Windows creates it from the program's resources.
#include <gtest/gtest.h>
#include <windows.h>

#include "dialogs/frame_dialog_ids.h"
#include "control_layouts.h"
#include "template_check.h"
#include "template_extras.h"

namespace morvel::testing {
namespace {

TEST(FrameTemplateTest, ControlsAsTheDialogIsDrawn) {
    const DialogLayout table{"IDD_EDIT_FRAME",
                           "編集：フレーム",
                           "ＭＳ ゴシック",
                           10,
                           {50, 50, 259, 186},
                           {Label("モーション", {5, 0, 45, 9}),
                            List(IDC_FRAME_MOTION_LIST, {50, 0, 205, 40}),
                            Label("No.", {5, 40, 30, 9}),
                            Label("ポジション数", {35, 40, 50, 9}),
                            Label("フレーム名", {85, 40, 170, 9}),
                            List(IDC_FRAME_LIST, {5, 48, 250, 82}),
                            Label("No.", {5, 130, 70, 11}),
                            Label(IDC_FRAME_NUMBER, "No.", {75, 130, 25, 11}),
                            Button(IDC_FRAME_DELETE, "削除", {130, 130, 25, 10}),
                            Button(IDC_FRAME_ADJUST, "調整", {155, 130, 25, 10}),
                            Button(IDC_FRAME_COPY, "コピー", {180, 130, 25, 10}),
                            Button(IDC_FRAME_UP, "▲", {205, 130, 25, 10}),
                            Button(IDC_FRAME_DOWN, "▼", {230, 130, 25, 10}),
                            Label("ポジション数", {5, 140, 70, 10}),
                            Label(IDC_FRAME_POSITION_COUNT, "9999", {75, 140, 25, 11}),
                            Label("コメント", {5, 150, 70, 12}),
                            {IDC_FRAME_COMMENT,
                             "Edit",
                             ES_AUTOHSCROLL | WS_TABSTOP,
                             ES_CENTER | ES_RIGHT,
                             ES_LEFT,
                             "",
                             {75, 150, 101, 12}},
                            Button(IDC_FRAME_REGISTER, "登録", {40, 170, 44, 12}),
                            Button(IDC_FRAME_UPDATE, "更新", {85, 170, 44, 12}),
                            Button(IDC_FRAME_COMMIT, "確定", {160, 170, 44, 12}),
                            Button(IDCANCEL, "キャンセル", {209, 170, 44, 12})}};
    const std::vector<std::string> faults = CheckDialogTemplate(GetModuleHandleA(nullptr), table);
    EXPECT_TRUE(faults.empty()) << ::testing::PrintToString(faults);
}

TEST(FrameTemplateTest, ListsScrollAndListsAndTheCommentHaveBorders) {
    HINSTANCE module = GetModuleHandleA(nullptr);
    EXPECT_EQ(
        ListsWithoutScrollBar(module, "IDD_EDIT_FRAME", {IDC_FRAME_MOTION_LIST, IDC_FRAME_LIST}),
        std::vector<int>{});
    EXPECT_EQ(ControlsWithoutBorder(module, "IDD_EDIT_FRAME",
                                    {IDC_FRAME_MOTION_LIST, IDC_FRAME_LIST, IDC_FRAME_COMMENT}),
              std::vector<int>{});
}

}  // namespace
}  // namespace morvel::testing
