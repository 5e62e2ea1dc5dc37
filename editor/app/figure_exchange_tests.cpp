#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "app/fakes/editor_fixture.h"
#include "fixture_files.h"

namespace morvel::app {
namespace {

using document::MessageAnswer;
using morvel::testing::FixturePath;
using document::testing::DocumentContents;
using document::testing::MakePosition;

class FigureExchangeTest : public fakes::EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        MORVEL_REQUIRE_FIXTURES(kTriangle);
        MakePartsLoadable({{".\\node0.x"}, {}});  // the triangle's one part, named after its node
    }
    void Import(const std::string &input, const std::string &parent) {
        shell.WillChooseFile(input);
        shell.WillChooseFolder(parent);
        RunCommand(editor, CMD_TOOL_IMPORT_FIGURE);
    }
    std::string LastMessage() const { return shell.messages.empty() ? "" : shell.messages.back().text; }

    static constexpr const char *kTriangle = "gltf/AnimatedTriangle/AnimatedTriangle.gltf";
};

TEST_F(FigureExchangeTest, AnImportedFigureOpensAfterTheQuestionsAndReplacesOnlyWhenAllowed) {
    Show({{".\\body.x"}, {{"walk", "", {{"f0", {MakePosition(0, 1)}}}}}});
    editor.state.filePath = {"C:\\old.mvl"};
    shell.WillAnswer(MessageAnswer::No);  // keep the current document
    RunCommand(editor, CMD_TOOL_IMPORT_FIGURE);
    EXPECT_TRUE(shell.chooserRequests.empty()) << "nothing chosen before the question";

    shell.WillAnswer(MessageAnswer::Yes);
    Import(FixturePath(kTriangle), folder.Path(""));
    const std::string motionFile = folder.Path("AnimatedTriangle") + "\\AnimatedTriangle.mvl";
    ASSERT_EQ(shell.chooserRequests.size(), 1u);
    EXPECT_EQ(shell.chooserRequests[0].filters[0].pattern, "*.gltf;*.glb;*.obj");
    EXPECT_EQ(shell.messages[0].text, "現在編集されていますが、破棄しますか？");
    EXPECT_EQ(FilePath(), motionFile) << "opened as if chosen, without a second question";
    EXPECT_EQ(shell.messages.size(), 2u);
    ASSERT_EQ(Current().motions.size(), 1u);
    EXPECT_GT(Current().motions[0].frames.size(), 1u) << "the animation sampled into frames";

    // Once more into the same place: the existing folder is kept on No.
    shell.WillAnswer(MessageAnswer::Yes);
    shell.WillAnswer(MessageAnswer::No);
    Import(FixturePath(kTriangle), folder.Path(""));
    EXPECT_EQ(LastMessage(), "フォルダ " + folder.Path("AnimatedTriangle") + " は既にあります。置き換えますか？");
    EXPECT_TRUE(std::filesystem::exists(folder.Path("AnimatedTriangle/AnimatedTriangle.mvl")));
}

TEST_F(FigureExchangeTest, AFileThatIsNotGltfChangesNothing) {
    std::ofstream(folder.Path("broken.gltf")) << "{\"asset\": ";
    Import(folder.Path("broken.gltf"), folder.Path(""));
    EXPECT_EQ(LastMessage().rfind("作成できませんでした。\n\n", 0), 0u) << LastMessage();
    EXPECT_FALSE(std::filesystem::exists(folder.Path("broken")));
    EXPECT_EQ(editor.state.filePath[0], '\0');
}

TEST_F(FigureExchangeTest, TheExportGetsItsExtensionAndAsksBeforeOverwriting) {
    Import(FixturePath(kTriangle), folder.Path(""));
    ASSERT_FALSE(editor.state.filePath[0] == '\0') << LastMessage();
    shell.WillChooseFile(folder.Path("out"));
    RunCommand(editor, CMD_TOOL_EXPORT_GLTF);
    EXPECT_EQ(LastMessage(), "書き出しました。");
    EXPECT_GT(std::filesystem::file_size(folder.Path("out.gltf")), 500u);

    shell.WillChooseFile(folder.Path("out.gltf"));
    shell.WillAnswer(MessageAnswer::No);
    RunCommand(editor, CMD_TOOL_EXPORT_GLTF);
    EXPECT_EQ(LastMessage(), folder.Path("out.gltf") + " は既にあります。上書きしますか？");
}

}  // namespace
}  // namespace morvel::app
