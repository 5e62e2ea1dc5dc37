#include "document/file_choosers.h"

#include <gtest/gtest.h>

#include "document/fakes/fake_ui_ports.h"

namespace morvel::document {
namespace {

using fakes::FakeFileChooser;

const std::vector<FileFilter> kPartFilter = {{"Xファイル (.x)", "*.x"}};

TEST(ChooseFile, ModesOtherThanOpenAndSaveShowNoChooser) {
    FakeFileChooser chooser;
    chooser.WillChoose("C:\\a.x");
    std::string out = "kept";
    EXPECT_FALSE(ChooseFile(chooser, 2, nullptr, kPartFilter, "t", out));
    EXPECT_FALSE(ChooseFile(chooser, -1, nullptr, kPartFilter, "t", out));
    EXPECT_TRUE(chooser.requests.empty());
    EXPECT_EQ(out, "kept");
}

TEST(ChooseFile, PassesItsSettingsAndCopiesThePathOnlyOnOk) {
    FakeFileChooser chooser;
    const OwnerWindow dialog = reinterpret_cast<OwnerWindow>(0x77);
    std::string out = "kept";
    chooser.WillCancel();
    EXPECT_FALSE(ChooseFile(chooser, 1, dialog, kPartFilter, "パーツ", out));
    EXPECT_EQ(out, "kept");
    chooser.WillChoose("C:\\parts\\arm.x");
    EXPECT_TRUE(ChooseFile(chooser, 0, dialog, kPartFilter, "パーツ", out));
    EXPECT_EQ(out, "C:\\parts\\arm.x");

    ASSERT_EQ(chooser.requests.size(), 2u);
    EXPECT_EQ(chooser.requests[0].mode, FileChooserMode::Save);
    EXPECT_FALSE(chooser.requests[0].fileMustExist) << "a new file name must be accepted";
    const FileChooserRequest &open = chooser.requests[1];
    EXPECT_EQ(open.mode, FileChooserMode::Open);
    EXPECT_EQ(open.owner, dialog);
    EXPECT_EQ(open.title, "パーツ");
    ASSERT_EQ(open.filters.size(), 1u);
    EXPECT_EQ(open.filters[0].pattern, "*.x");
    EXPECT_TRUE(open.pathMustExist && open.fileMustExist);
    EXPECT_TRUE(chooser.bufferStartedEmpty[0] && chooser.bufferStartedEmpty[1]);
}

}  // namespace
}  // namespace morvel::document
