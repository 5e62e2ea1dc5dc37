#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "document/fakes/fake_ui_ports.h"
#include "document/motion_export.h"
#include "document/motion_export_flows.h"
#include "test_documents.h"

namespace morvel::document {
namespace {

using fakes::FakeFileChooser;
using fakes::FakeMessageBoxes;
using testing::DocumentContents;
using testing::EncodedBytes;
using testing::MakePosition;
using testing::operator==;
using testing::OwnedDocument;
using testing::PartNumbers;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

DocumentContents ExportingContents() {
    DocumentContents contents;
    contents.parts = {"a.x", "b.x", "c.x", "d.x"};
    contents.motions = {
        {"still", "", {}},
        {"jump", "jump.wav",
         {{"up", {MakePosition(0, 1), MakePosition(3, 2), MakePosition(1, 3)}},
          {"top", {MakePosition(3, 4)}},
          {"down", {MakePosition(2, 5), MakePosition(-1, 6)}}}},
    };
    return contents;
}

DocumentContents ReceivingContents(size_t partCount) {
    DocumentContents contents;
    for (size_t p = 0; p < partCount; ++p) contents.parts.push_back("r" + std::to_string(p) + ".x");
    contents.motions = {{"own", "own.wav", {{"f", {MakePosition(0, 9)}}}}};
    return contents;
}

class MotionExportTest : public ::testing::Test {
protected:
    std::string Export(int32_t k) {
        const std::string path = folder.Path("m" + std::to_string(k) + ".mvx");
        EXPECT_TRUE(WriteMotionExport(*exporting, path, k));
        return path;
    }
    // Rewrites one plain byte of a file.
    static void Patch(const std::string &path, size_t offset, uint8_t plain) {
        std::vector<uint8_t> bytes = ReadBytes(path);
        bytes.at(offset) = plain ^ 'M';
        WriteBytes(path, bytes);
    }

    TempFolder folder;
    OwnedDocument exporting{ExportingContents()};
};

TEST_F(MotionExportTest, AMotionWithoutFramesIs115BytesAndImportsAsSuch) {
    std::strcpy(exporting->header.userCode, "0123456789abcde");
    const std::string path = Export(0);
    const std::vector<uint8_t> bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 115u);
    EXPECT_EQ(bytes[0] ^ 'M', 'M');
    EXPECT_EQ(bytes[8] ^ 'M', '0');
    EXPECT_EQ(bytes[26] ^ 'M', 'M');

    OwnedDocument receiving(ReceivingContents(2));
    EXPECT_EQ(ReadMotionExport(*receiving, path), 0);
    ASSERT_EQ(receiving->header.motionCount, 2);
    EXPECT_STREQ(receiving->motions[0].name, "own");
    EXPECT_STREQ(receiving->motions[1].name, "still");
    EXPECT_EQ(receiving->motions[1].frameCount, 0);
}

TEST_F(MotionExportTest, ImportKeepsFramesAndDropsPositionsOfMissingParts) {
    const std::string path = Export(1);
    EXPECT_EQ(ReadBytes(path).size(), 27u + 88 + 3 * 24 + 6 * 128);
    // Two parts: the positions of parts 2 and 3 and the negative one go.
    OwnedDocument receiving(ReceivingContents(2));
    EXPECT_EQ(ReadMotionExport(*receiving, path), 4);
    const MotionEntry &motion = receiving->motions[1];
    EXPECT_STREQ(motion.name, "jump");
    EXPECT_STREQ(motion.soundFileName, "jump.wav");
    EXPECT_STREQ(motion.frames[1].comment, "top");
    EXPECT_EQ(PartNumbers(*receiving)[1], (std::vector<std::vector<int>>{{0, 1}, {}, {}}));
    EXPECT_TRUE(motion.frames[0].positions[1] == MakePosition(1, 3));
    // The same file into the exporter's own part table drops only the negative one.
    EXPECT_EQ(ReadMotionExport(*exporting, path), 1);
    // Without parts, every position goes.
    OwnedDocument bare(ReceivingContents(0));
    EXPECT_EQ(ReadMotionExport(*bare, path), 6);
    EXPECT_EQ(bare->motions[1].frameCount, 3);
}

TEST_F(MotionExportTest, TheUserCodeIsNotCompared) {
    std::strcpy(exporting->header.userCode, "locked");
    const std::string path = Export(1);
    OwnedDocument receiving(ReceivingContents(4));
    EXPECT_EQ(ReadMotionExport(*receiving, path), 1);
}

TEST_F(MotionExportTest, HeaderChecksAndTruncationLeaveTheDocumentUnchanged) {
    const std::string path = Export(1);
    OwnedDocument receiving(ReceivingContents(4));
    const std::vector<uint8_t> before = EncodedBytes(*receiving);
    const std::vector<uint8_t> good = ReadBytes(path);

    Patch(path, 26, 'F');
    EXPECT_EQ(ReadMotionExport(*receiving, path), kExportBadFileType);
    WriteBytes(path, good);
    Patch(path, 3, '2');
    EXPECT_EQ(ReadMotionExport(*receiving, path), kExportBadFileCode);
    WriteBytes(path, good);
    Patch(path, 7, '1');
    EXPECT_EQ(ReadMotionExport(*receiving, path), kExportBadVersion);
    for (size_t cut : {0u, 26u, 27u + 87, 27u + 88 + 24, static_cast<unsigned>(good.size() - 1)}) {
        WriteBytes(path, std::vector<uint8_t>(good.begin(), good.begin() + cut));
        EXPECT_EQ(ReadMotionExport(*receiving, path), kExportUnreadable) << cut;
    }
    EXPECT_EQ(ReadMotionExport(*receiving, folder.Path("absent.mvx")), kExportUnreadable);
    EXPECT_EQ(EncodedBytes(*receiving), before);

    // The reserved bytes 24 and 25 may hold anything.
    WriteBytes(path, good);
    Patch(path, 24, 0xAB);
    Patch(path, 25, 0xCD);
    EXPECT_EQ(ReadMotionExport(*receiving, path), 1);
}

TEST_F(MotionExportTest, TheVersionComparedIsTheReceivingDocuments) {
    const std::string path = Export(1);
    OwnedDocument receiving(ReceivingContents(4));
    std::memcpy(receiving->header.version, "0.99", 4);
    EXPECT_EQ(ReadMotionExport(*receiving, path), kExportBadVersion);
}

TEST_F(MotionExportTest, ExportOfAMissingMotionFails) {
    EXPECT_FALSE(WriteMotionExport(*exporting, folder.Path("x.mvx"), 2));
    EXPECT_FALSE(WriteMotionExport(*exporting, folder.Path("x.mvx"), -1));
}

class MotionExportFlowTest : public MotionExportTest {
protected:
    FakeFileChooser chooser;
    FakeMessageBoxes messages;
    OwnerWindow dialog = reinterpret_cast<OwnerWindow>(0x1234);
};

TEST_F(MotionExportFlowTest, ExportForcesTheExtensionAndAsksWithTheExportChooser) {
    chooser.WillChoose(folder.Path("dance.v2.old"));
    ASSERT_TRUE(ExportMotion(dialog, *exporting, 1, chooser, messages));
    EXPECT_EQ(ReadBytes(folder.Path("dance.mvx")).size(), 27u + 88 + 3 * 24 + 6 * 128);
    ASSERT_EQ(chooser.requests.size(), 1u);
    const FileChooserRequest &request = chooser.requests[0];
    EXPECT_EQ(request.mode, FileChooserMode::Save);
    EXPECT_EQ(request.owner, dialog);
    EXPECT_EQ(request.title, "Morvelエクスポートファイル保存");
    ASSERT_EQ(request.filters.size(), 1u);
    EXPECT_EQ(request.filters[0].description, ".Morvelエクスポートファイル(.mvx)");
    EXPECT_EQ(request.filters[0].pattern, "*.mvx");
    EXPECT_TRUE(request.pathMustExist);
    EXPECT_FALSE(request.fileMustExist) << "a new export file name must be accepted";
    EXPECT_TRUE(chooser.bufferStartedEmpty[0]);
    EXPECT_TRUE(messages.shown.empty());

    chooser.WillCancel();
    EXPECT_FALSE(ExportMotion(dialog, *exporting, 1, chooser, messages));
    EXPECT_TRUE(messages.shown.empty());
}

// A dot in a folder name must not send the file into another folder.
TEST_F(MotionExportFlowTest, ADotInAFolderNameKeepsTheFileInThatFolder) {
    std::filesystem::create_directory(folder.Path("takes.v1"));
    chooser.WillChoose(folder.Path("takes.v1\\dance"));
    ASSERT_TRUE(ExportMotion(dialog, *exporting, 0, chooser, messages));
    EXPECT_EQ(ReadBytes(folder.Path("takes.v1/dance.mvx")).size(), 115u);
    EXPECT_FALSE(std::filesystem::exists(folder.Path("takes.mvx")));
}

TEST_F(MotionExportFlowTest, AFailedExportSaysSoInAPlainBox) {
    chooser.WillChoose(folder.Path("missing/x"));
    EXPECT_FALSE(ExportMotion(dialog, *exporting, 0, chooser, messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "エクスポートファイル書込に失敗しました。");
    EXPECT_EQ(messages.shown[0].caption, "エクスポート");
    EXPECT_EQ(messages.shown[0].owner, nullptr);
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
}

TEST_F(MotionExportFlowTest, ImportReportsDroppedPositionsAndEveryFailure) {
    const std::string path = Export(1);
    OwnedDocument receiving(ReceivingContents(2));
    chooser.WillChoose(path);
    ASSERT_TRUE(ImportMotion(dialog, *receiving, chooser, messages));
    EXPECT_EQ(chooser.requests[0].mode, FileChooserMode::Open);
    EXPECT_EQ(chooser.requests[0].title, "Morvelエクスポートファイル読込");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "パーツNo.範囲外のデータが 4 件ありました。これらは削除されています。");
    EXPECT_EQ(messages.shown[0].caption, "インポート");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Warning);
    EXPECT_EQ(messages.shown[0].owner, dialog);

    const std::string clean = folder.Path("m0.mvx");
    Export(0);
    chooser.WillChoose(clean);
    EXPECT_TRUE(ImportMotion(dialog, *receiving, chooser, messages));
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(receiving->header.motionCount, 3);

    const std::vector<uint8_t> good = ReadBytes(path);
    const std::pair<size_t, const char *> failures[] = {
        {26, "ファイルタイプに誤りがあります。"},
        {0, "ファイルコードに誤りがあります。"},
        {5, "バージョンコードに誤りがあります。"},
    };
    for (const auto &[offset, text] : failures) {
        WriteBytes(path, good);
        Patch(path, offset, '?');
        chooser.WillChoose(path);
        EXPECT_FALSE(ImportMotion(dialog, *receiving, chooser, messages));
        EXPECT_EQ(messages.shown.back().text, text);
        EXPECT_EQ(messages.shown.back().caption, "インポート");
    }
    chooser.WillChoose(folder.Path("absent.mvx"));
    EXPECT_FALSE(ImportMotion(dialog, *receiving, chooser, messages));
    EXPECT_EQ(messages.shown.back().text, "ファイルの読込に失敗しました。");
    const size_t shown = messages.shown.size();
    chooser.WillCancel();
    EXPECT_FALSE(ImportMotion(dialog, *receiving, chooser, messages));
    EXPECT_EQ(messages.shown.size(), shown);
    EXPECT_EQ(receiving->header.motionCount, 3);
}

}  // namespace
}  // namespace morvel::document
