// The pose clipboard through the commands, as the menu and keys run them.
#include <gtest/gtest.h>

#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "app/fakes/editor_fixture.h"
#include "document/pose_json.h"

namespace morvel::app {
namespace {

using document::testing::DocumentContents;
using document::testing::MakePosition;

class PoseClipboardTest : public fakes::EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        Show({{".\\arm_left.x", ".\\arm_right.x", ".\\body.x"},
              {{"m", "", {{"f0", {MakePosition(0, 1), MakePosition(1, 2), MakePosition(2, 3)}}, {"f1", {}}}}}});
    }
    std::vector<int> PartsOf(int frame) {
        const FrameEntry &f = editor.state.currentDocument.document.motions[0].frames[frame];
        std::vector<int> parts;
        for (int i = 0; i < f.positionCount; ++i) parts.push_back(f.positions[i].partNumber);
        return parts;
    }
};

TEST_F(PoseClipboardTest, CopyThenPasteAndMirroredPasteAreOneUndoStepEach) {
    RunCommand(editor, CMD_TOOL_COPY_POSE);
    ASSERT_NE(shell.clipboard.find("morvelPose"), std::string::npos);
    editor.state.currentDocument.selectedFrame = 1;
    RunCommand(editor, CMD_TOOL_PASTE_POSE);
    EXPECT_EQ(PartsOf(1), (std::vector<int>{0, 1, 2}));
    const FrameEntry *frames = editor.state.currentDocument.document.motions[0].frames;
    EXPECT_EQ(frames[1].positions[0].translation.x, frames[0].positions[0].translation.x);

    RunCommand(editor, CMD_TOOL_PASTE_POSE_MIRRORED);
    frames = editor.state.currentDocument.document.motions[0].frames;
    EXPECT_EQ(PartsOf(1), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(frames[1].positions[0].translation.x, -frames[0].positions[1].translation.x);
    EXPECT_EQ(frames[1].positions[2].translation.x, -frames[0].positions[2].translation.x);
    EXPECT_EQ(editor.state.filePath[0], '\x01');

    RunCommand(editor, CMD_EDIT_UNDO);
    EXPECT_EQ(editor.state.currentDocument.document.motions[0].frames[1].positions[0].translation.x,
              editor.state.currentDocument.document.motions[0].frames[0].positions[0].translation.x);
    RunCommand(editor, CMD_EDIT_UNDO);
    EXPECT_TRUE(PartsOf(1).empty());
    EXPECT_TRUE(shell.messages.empty());
}

TEST_F(PoseClipboardTest, WhatCannotBePastedIsRefusedWithAMessageAndChangesNothing) {
    shell.clipboard = "some text";
    RunCommand(editor, CMD_TOOL_PASTE_POSE);
    shell.clipboard = document::PoseToJson(std::vector<PositionEntry>{MakePosition(5, 1)}.data(), 1);
    RunCommand(editor, CMD_TOOL_PASTE_POSE_MIRRORED);
    ASSERT_EQ(shell.messages.size(), 2u);
    EXPECT_EQ(shell.messages[0].text, "クリップボードにポーズがありません。");
    EXPECT_EQ(shell.messages[1].text, "ポーズのパーツ番号 5 がこの文書にないため、貼り付けられません。");
    EXPECT_EQ(PartsOf(0), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(editor.state.undo.UndoCount(), 0);
}

}  // namespace
}  // namespace morvel::app
