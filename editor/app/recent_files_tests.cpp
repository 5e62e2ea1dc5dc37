#include "app/recent_files.h"

#include <gtest/gtest.h>

#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "app/fakes/editor_fixture.h"
#include "app/fakes/fake_key_store.h"
#include "app/fakes/fake_shell.h"

namespace morvel::app {
namespace {

using ItemList = std::vector<std::pair<int, std::string>>;

document::PathBuffer Path(const std::string &text) {
    document::PathBuffer buffer{};
    std::copy(text.begin(), text.end(), buffer.begin());
    return buffer;
}

std::vector<std::string> Texts(const RecentFiles &files) {
    std::vector<std::string> texts;
    for (const auto &slot : files) texts.emplace_back(slot.data());
    return texts;
}

class RecentFilesTest : public ::testing::Test {
protected:
    void Preset(const std::vector<std::string> &values) {
        auto &key = keys.keys[kSettingsKey];
        for (size_t i = 0; i < values.size(); ++i) key.values[RecentFileValueName(static_cast<int>(i))] = values[i];
    }
    fakes::FakeShell shell;
    fakes::FakeKeyStore keys;
    RecentFiles files{};
};

TEST_F(RecentFilesTest, FirstStartCreatesTheKeyWithFiveEmptyValuesAndShowsNothing) {
    LoadRecentFiles(files, keys, shell);
    EXPECT_EQ(keys.writes, (std::vector<std::string>{"Ago_OpenFilne0", "Ago_OpenFilne1", "Ago_OpenFilne2",
                                                     "Ago_OpenFilne3", "Ago_OpenFilne4"}));
    EXPECT_EQ(keys.accesses, std::vector<KeyAccess>{KeyAccess::WriteAndQuery});
    EXPECT_TRUE(shell.RecentMenuItems().empty());
    EXPECT_EQ(keys.openKeys, 0);
    EXPECT_TRUE(shell.messages.empty());
}

TEST_F(RecentFilesTest, TheReadStopsAtTheFirstMissingValue) {
    Preset({"C:\\a.mvl", "C:\\b.mvl"});
    keys.keys[kSettingsKey].values["Ago_OpenFilne3"] = "C:\\d.mvl";
    LoadRecentFiles(files, keys, shell);
    EXPECT_EQ(shell.RecentMenuItems(), (ItemList{{1524, "C:\\a.mvl"}, {1525, "C:\\b.mvl"}}));
    // Inserted at positions 5 and 6: after "名前を付けて保存" and the separator.
    EXPECT_EQ(shell.fileMenu[5].first, 1524);
    EXPECT_EQ(shell.fileMenu[6].first, 1525);
    EXPECT_EQ(shell.fileMenu[7].first, 0);
    EXPECT_TRUE(keys.writes.empty()) << "an existing key is only read";
}

TEST_F(RecentFilesTest, AValueTooLongForItsSlotEndsTheRead) {
    Preset({"C:\\a.mvl", std::string(1024, 'x'), "C:\\c.mvl"});
    LoadRecentFiles(files, keys, shell);
    EXPECT_EQ(Texts(files), (std::vector<std::string>{"C:\\a.mvl", "", "", "", ""}));
}

TEST_F(RecentFilesTest, AnUnopenableKeyStopsTheProgram) {
    keys.createResult = 5;
    LoadRecentFiles(files, keys, shell);
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].text, "起動エラー");
    EXPECT_EQ(shell.messages[0].caption, "Morvel");
    EXPECT_EQ(shell.messages[0].icon, document::MessageIcon::Error);
    ASSERT_EQ(shell.posted.size(), 1u);
    EXPECT_EQ(shell.posted[0].kind, fakes::kPostedDestroy);
}

TEST_F(RecentFilesTest, AddingMovesToTheFrontWithoutDuplicates) {
    Preset({"p0", "p1", "p2", "p3", "p4"});
    LoadRecentFiles(files, keys, shell);
    keys.writes.clear();

    AddRecentFile(files, Path("p0"), keys);
    EXPECT_TRUE(keys.writes.empty()) << "the first entry again: not even the registry is asked";
    EXPECT_EQ(keys.accesses.size(), 1u);

    AddRecentFile(files, Path("p2"), keys);
    EXPECT_EQ(Texts(files), (std::vector<std::string>{"p2", "p0", "p1", "p3", "p4"}));
    AddRecentFile(files, Path("new"), keys);
    EXPECT_EQ(Texts(files), (std::vector<std::string>{"new", "p2", "p0", "p1", "p3"}));
    EXPECT_EQ(keys.keys[kSettingsKey].values["Ago_OpenFilne0"], "new");
    EXPECT_EQ(keys.keys[kSettingsKey].values["Ago_OpenFilne4"], "p3");
}

TEST_F(RecentFilesTest, AKeyRemovedWhileRunningGetsNothingWritten) {
    LoadRecentFiles(files, keys, shell);
    keys.keys.clear();
    keys.writes.clear();
    AddRecentFile(files, Path("C:\\x.mvl"), keys);
    EXPECT_EQ(Texts(files)[0], "C:\\x.mvl");
    EXPECT_TRUE(keys.writes.empty());

    keys.failingWrites = {"Ago_OpenFilne1"};
    AddRecentFile(files, Path("C:\\y.mvl"), keys);
    EXPECT_EQ(keys.writes, std::vector<std::string>{"Ago_OpenFilne0"}) << "writes stop at the first failure";
}

TEST_F(RecentFilesTest, MenuItemsAreRemovedAndInsertedByPosition) {
    Preset({"a", "b", "c"});
    LoadRecentFiles(files, keys, shell);
    RemoveRecentMenu(files, shell);
    AddRecentFile(files, Path("b"), keys);
    InsertRecentMenu(files, shell);
    EXPECT_EQ(shell.RecentMenuItems(), (ItemList{{1524, "b"}, {1525, "a"}, {1526, "c"}}));
    EXPECT_EQ(shell.fileMenu.size(), 9u + 3u);
}

TEST(FolderOfPathTest, CutsAfterTheLastBackslashOrColon) {
    EXPECT_EQ(FolderOfPath("C:\\data\\walk.mvl"), "C:\\data\\");
    EXPECT_EQ(FolderOfPath("C:walk.mvl"), "C:");
    EXPECT_EQ(FolderOfPath("walk.mvl"), "walk.mvl");
    EXPECT_EQ(FolderOfPath("C:\\\x95\x5C.mvl"), "C:\\") << "a second byte 0x5C is no separator";
}

class RecentOpenTest : public fakes::EditorFixture {};

TEST_F(RecentOpenTest, ReopeningARecentFileChangesTheFolderFirstAndMovesItToTheFront) {
    const document::testing::DocumentContents contents{{".\\a.x"}, {}};
    MakePartsLoadable(contents);
    const std::string older = WriteMotionFile("older.mvl", contents);
    const std::string newer = WriteMotionFile("newer.mvl", contents);
    editor.state.recentFiles[0] = Path(newer);
    editor.state.recentFiles[1] = Path(older);
    InsertRecentMenu(editor.state.recentFiles, shell);
    keys.keys[kSettingsKey];  // the key exists

    RunCommand(editor, CMD_RECENT_FILE_0 + 1);
    EXPECT_TRUE(shell.chooserRequests.empty()) << "no chooser for a recent file";
    EXPECT_EQ(shell.directoryChanges.front(), FolderOfPath(older));
    EXPECT_EQ(FilePath(), older);
    EXPECT_EQ(shell.RecentMenuItems(), (ItemList{{1524, older}, {1525, newer}}));
    EXPECT_EQ(keys.keys[kSettingsKey].values["Ago_OpenFilne0"], older);
}

}  // namespace
}  // namespace morvel::app
