// IDD_EDIT_POSITION as Windows creates it from the program's resources.
#include <gtest/gtest.h>
#include <windows.h>

#include "dialogs/position_dialog_ids.h"
#include "control_layouts.h"
#include "template_check.h"
#include "template_extras.h"

namespace morvel::testing {
namespace {

// The 17 value fields: right-aligned edits, 55 by 11.
ControlLayout Value(int id, LONG x, LONG y) { return Edit(id, {x, y, 55, 11}, ES_RIGHT); }

TEST(PositionTemplateTest, ControlsAsTheDialogIsDrawn) {
    const DialogLayout table{"IDD_EDIT_POSITION",
                           "編集：ポジション",
                           "ＭＳ ゴシック",
                           10,
                           {50, 20, 323, 241},
                           {Label("モーション", {5, 0, 60, 11}),
                            List(IDC_POSITION_MOTION_LIST, {65, 0, 255, 30}),
                            Label("フレーム", {5, 30, 60, 11}),
                            List(IDC_POSITION_FRAME_LIST, {65, 30, 255, 30}),
                            Label("No.", {5, 60, 30, 11}),
                            Label("パーツNo.", {35, 60, 45, 11}),
                            Label("パーツ名", {80, 60, 240, 11}),
                            List(IDC_POSITION_LIST, {5, 70, 315, 55}),
                            Label("No.", {5, 125, 60, 11}),
                            Label(IDC_POSITION_NUMBER, "No.", {65, 125, 25, 11}),
                            Button(IDC_POSITION_DELETE, "削除", {220, 125, 25, 10}),
                            Button(IDC_POSITION_COPY, "コピー", {245, 125, 25, 10}),
                            Button(IDC_POSITION_UP, "▲", {270, 125, 25, 10}),
                            Button(IDC_POSITION_DOWN, "▼", {295, 125, 25, 10}),
                            Label("パーツ", {5, 135, 60, 35}),
                            List(IDC_POSITION_PART_LIST, {65, 135, 255, 35}),
                            Label("Ambient(RGBA)", {5, 170, 60, 10}),
                            Value(IDC_POSITION_AMBIENT_R, 65, 170),
                            Value(IDC_POSITION_AMBIENT_G, 120, 170),
                            Value(IDC_POSITION_AMBIENT_B, 175, 170),
                            Value(IDC_POSITION_AMBIENT_A, 230, 170),
                            Button(IDC_POSITION_AMBIENT_INITIAL, "初期", {285, 170, 25, 10}),
                            Label("Diffuse(RGBA)", {5, 180, 60, 10}),
                            Value(IDC_POSITION_DIFFUSE_R, 65, 180),
                            Value(IDC_POSITION_DIFFUSE_G, 120, 180),
                            Value(IDC_POSITION_DIFFUSE_B, 175, 180),
                            Value(IDC_POSITION_DIFFUSE_A, 230, 180),
                            Button(IDC_POSITION_DIFFUSE_INITIAL, "初期", {285, 180, 25, 10}),
                            Label("スケール(XYZ)", {5, 190, 60, 11}),
                            Value(IDC_POSITION_SCALE_X, 65, 190),
                            Value(IDC_POSITION_SCALE_Y, 120, 190),
                            Value(IDC_POSITION_SCALE_Z, 175, 190),
                            Button(IDC_POSITION_SCALE_INITIAL, "初期", {230, 190, 25, 10}),
                            Label("位置(XYZ)", {5, 200, 60, 11}),
                            Value(IDC_POSITION_TRANSLATION_X, 65, 200),
                            Value(IDC_POSITION_TRANSLATION_Y, 120, 200),
                            Value(IDC_POSITION_TRANSLATION_Z, 175, 200),
                            Label("回転(XYZ)", {5, 210, 60, 11}),
                            Value(IDC_POSITION_ROTATION_X, 65, 210),
                            Value(IDC_POSITION_ROTATION_Y, 120, 210),
                            Value(IDC_POSITION_ROTATION_Z, 175, 210),
                            Button(IDC_POSITION_REGISTER, "登録", {90, 225, 44, 12}),
                            Button(IDC_POSITION_UPDATE, "更新", {135, 225, 44, 12}),
                            Button(IDC_POSITION_COMMIT, "確定", {226, 225, 44, 12}),
                            Button(IDCANCEL, "キャンセル", {275, 225, 44, 12})}};
    const std::vector<std::string> faults = CheckDialogTemplate(GetModuleHandleA(nullptr), table);
    EXPECT_TRUE(faults.empty()) << ::testing::PrintToString(faults);
}

TEST(PositionTemplateTest, ListsScrollAndListsAndValueFieldsHaveBorders) {
    const std::vector<int> lists = {IDC_POSITION_MOTION_LIST, IDC_POSITION_FRAME_LIST,
                                    IDC_POSITION_LIST, IDC_POSITION_PART_LIST};
    EXPECT_EQ(ListsWithoutScrollBar(GetModuleHandleA(nullptr), "IDD_EDIT_POSITION", lists),
              std::vector<int>{});
    const std::vector<int> bordered = {
        IDC_POSITION_MOTION_LIST,   IDC_POSITION_FRAME_LIST,    IDC_POSITION_LIST,
        IDC_POSITION_PART_LIST,     IDC_POSITION_AMBIENT_R,     IDC_POSITION_AMBIENT_G,
        IDC_POSITION_AMBIENT_B,     IDC_POSITION_AMBIENT_A,     IDC_POSITION_DIFFUSE_R,
        IDC_POSITION_DIFFUSE_G,     IDC_POSITION_DIFFUSE_B,     IDC_POSITION_DIFFUSE_A,
        IDC_POSITION_SCALE_X,       IDC_POSITION_SCALE_Y,       IDC_POSITION_SCALE_Z,
        IDC_POSITION_TRANSLATION_X, IDC_POSITION_TRANSLATION_Y, IDC_POSITION_TRANSLATION_Z,
        IDC_POSITION_ROTATION_X,    IDC_POSITION_ROTATION_Y,    IDC_POSITION_ROTATION_Z};
    EXPECT_EQ(ControlsWithoutBorder(GetModuleHandleA(nullptr), "IDD_EDIT_POSITION", bordered),
              std::vector<int>{});
}

}  // namespace
}  // namespace morvel::testing
