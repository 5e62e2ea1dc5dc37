#include <gtest/gtest.h>

#include <cstring>

#include "document/editor_document.h"
#include "document/fakes/fake_part_mesh_loader.h"
#include "document/fakes/fake_ui_ports.h"
#include "document/snapshot_copy.h"
#include "formats/motion/motion_file_writer.h"
#include "test_documents.h"

namespace morvel::document {
namespace {

using fakes::FakeFileChooser;
using fakes::FakePartMeshLoader;
using testing::DocumentContents;
using testing::EncodedBytes;
using testing::MakePosition;
using testing::OwnedDocument;
using testing::TempFolder;
using testing::WriteBytes;

PathBuffer Buffer(const std::string &text) {
    PathBuffer buffer{};
    std::memcpy(buffer.data(), text.data(), std::min(text.size(), buffer.size() - 1));
    return buffer;
}

std::string Text(const PathBuffer &buffer) { return std::string(buffer.data()); }

class EditorDocumentTest : public ::testing::Test {
protected:
    EditorDocumentTest() {
        InitDocument(current);
        InitDocument(other);
        WriteBytes(folder.Path("body.x"), {'x'});
        WriteBytes(folder.Path("arm.x"), {'x'});
    }
    ~EditorDocumentTest() override {
        ReleaseDocument(current);
        ReleaseDocument(other);
    }

    // A motion file whose parts name body.x, a missing leg.x and arm.x.
    std::string WriteSample(const std::string &name, const char *userCode = "") {
        DocumentContents contents;
        contents.parts = {folder.Path("body.x"), folder.Path("leg.x"), folder.Path("arm.x")};
        contents.motions = {{"m", "", {{"f", {MakePosition(0, 1), MakePosition(2, 2)}}}}};
        OwnedDocument doc(contents);
        std::strcpy(doc->header.userCode, userCode);
        const std::string path = folder.Path(name);
        EXPECT_TRUE(formats::motion::WriteMotionFile(*doc, path));
        return path;
    }

    TempFolder folder;
    FakePartMeshLoader loader;
    FakeFileChooser chooser;
    EditorDocument current;
    EditorDocument other;
    OwnerWindow mainWindow = reinterpret_cast<OwnerWindow>(0x42);
};

TEST_F(EditorDocumentTest, LoadingGivesMeshesToThePartsWhoseFilesLoad) {
    const std::string path = WriteSample("sample.mvl");
    EXPECT_EQ(LoadDocument(current, path, "", loader), kLoadMeshFailed);
    EXPECT_EQ(current.document.header.partCount, 3);
    ASSERT_EQ(current.partMeshes.size(), 3u);
    EXPECT_NE(current.partMeshes[0], nullptr);
    EXPECT_EQ(current.partMeshes[1], nullptr);
    EXPECT_NE(current.partMeshes[2], nullptr);
    EXPECT_EQ(loader.meshLoadMessage,
              "Xファイルの読み込みに失敗しました。(" + folder.Path("leg.x") + ")");

    WriteBytes(folder.Path("leg.x"), {'x'});
    EXPECT_EQ(LoadDocument(current, path, "", loader), 0);
    EXPECT_NE(current.partMeshes[1], nullptr);
}

TEST_F(EditorDocumentTest, AFailedLoadLeavesTheDocumentEmpty) {
    const std::string path = WriteSample("coded.mvl", "Code");
    ASSERT_EQ(LoadDocument(current, WriteSample("plain.mvl"), "", loader), kLoadMeshFailed);
    current.selectedMotion = 3;
    EXPECT_EQ(LoadDocument(current, path, "", loader), MVL_LOAD_BAD_USER_CODE);
    EXPECT_EQ(current.document.header.partCount, 0);
    EXPECT_EQ(current.document.header.motionCount, 0);
    EXPECT_TRUE(current.partMeshes.empty());
    EXPECT_EQ(current.selectedMotion, 0);
    EXPECT_EQ(LoadDocument(current, path, "code", loader), MVL_LOAD_BAD_USER_CODE);
    EXPECT_EQ(LoadDocument(current, path, "Code", loader), kLoadMeshFailed);
    EXPECT_EQ(LoadDocument(current, folder.Path("absent.mvl"), "", loader), MVL_LOAD_UNREADABLE);
    EXPECT_EQ(current.document.header.partCount, 0);
}

TEST_F(EditorDocumentTest, CopyReloadsMeshesAndIsIndependent) {
    ASSERT_EQ(LoadDocument(other, WriteSample("s.mvl"), "", loader), kLoadMeshFailed);
    other.selectedMotion = 0;
    other.selectedFrame = 0;
    other.selectedPosition = 1;
    loader.loaded.clear();
    ASSERT_TRUE(CopyDocument(current, other, loader));
    EXPECT_EQ(loader.loaded.size(), 3u);
    ASSERT_EQ(current.partMeshes.size(), 3u);
    EXPECT_NE(current.partMeshes[0], other.partMeshes[0]);
    EXPECT_EQ(current.selectedPosition, 1);
    EXPECT_EQ(EncodedBytes(current.document), EncodedBytes(other.document));
    current.document.motions[0].frames[0].positions[0].scale.y = -7.0;
    EXPECT_EQ(other.document.motions[0].frames[0].positions[0].scale.y, 3.0);
}

TEST_F(EditorDocumentTest, OpenUsesTheBufferOrTheMotionFileChooser) {
    const std::string path = WriteSample("open.mvl");
    PathBuffer given = Buffer(path);
    EXPECT_EQ(OpenIntoDocument(mainWindow, current, "", given, chooser, loader), kLoadMeshFailed);
    EXPECT_TRUE(chooser.requests.empty());

    PathBuffer empty{};
    chooser.WillChoose(path);
    EXPECT_EQ(OpenIntoDocument(mainWindow, current, "", empty, chooser, loader), kLoadMeshFailed);
    EXPECT_EQ(Text(empty), path);
    ASSERT_EQ(chooser.requests.size(), 1u);
    const FileChooserRequest &request = chooser.requests[0];
    EXPECT_EQ(request.mode, FileChooserMode::Open);
    EXPECT_EQ(request.owner, mainWindow);
    EXPECT_EQ(request.title, "Morvelファイル読込");
    ASSERT_EQ(request.filters.size(), 1u);
    EXPECT_EQ(request.filters[0].description, ".Morvelファイル (.mvl)");
    EXPECT_EQ(request.filters[0].pattern, "*.mvl");
    EXPECT_TRUE(request.pathMustExist && request.fileMustExist);
    EXPECT_TRUE(chooser.bufferStartedEmpty[0]);

    PathBuffer cancelled{};
    chooser.WillCancel();
    EXPECT_EQ(OpenIntoDocument(mainWindow, current, "", cancelled, chooser, loader),
              kOpenCancelled);
}

TEST_F(EditorDocumentTest, OpenReportsUnreadableFilesAndKeepsTheCodedPath) {
    PathBuffer absent = Buffer(folder.Path("absent.mvl"));
    EXPECT_EQ(OpenIntoDocument(mainWindow, current, "", absent, chooser, loader), kOpenUnreadable);
    WriteBytes(folder.Path("foreign.mvl"), std::vector<uint8_t>(192, 0));
    PathBuffer foreign{};
    chooser.WillChoose(folder.Path("foreign.mvl"));
    EXPECT_EQ(OpenIntoDocument(mainWindow, current, "", foreign, chooser, loader),
              kOpenUnreadable);
    EXPECT_EQ(Text(foreign), "");

    const std::string coded = WriteSample("coded.mvl", "abc");
    PathBuffer path{};
    chooser.WillChoose(coded);
    EXPECT_EQ(OpenIntoDocument(mainWindow, current, "", path, chooser, loader),
              MVL_LOAD_BAD_USER_CODE);
    EXPECT_EQ(Text(path), coded);
    // The second attempt reuses the path without a chooser.
    EXPECT_EQ(OpenIntoDocument(mainWindow, current, "abc", path, chooser, loader),
              kLoadMeshFailed);
    EXPECT_EQ(chooser.requests.size(), 2u);
}

TEST_F(EditorDocumentTest, SaveAddsTheExtensionAndReportsEachOutcome) {
    ASSERT_EQ(LoadDocument(current, WriteSample("source.mvl"), "", loader), kLoadMeshFailed);
    PathBuffer filePath = Buffer("previous");
    chooser.WillChoose(folder.Path("saved"));
    EXPECT_EQ(SaveDocument(mainWindow, current, "", filePath, chooser), kSaveWritten);
    EXPECT_EQ(Text(filePath), folder.Path("saved.mvl"));
    EXPECT_EQ(chooser.requests[0].mode, FileChooserMode::Save);
    EXPECT_EQ(chooser.requests[0].title, "Morvelファイル保存");
    EXPECT_FALSE(chooser.requests[0].fileMustExist) << "a new file name must be accepted";
    EXPECT_EQ(chooser.requests[0].filters[0].pattern, "*.mvl");

    // Save into the buffer the path came from.
    EXPECT_EQ(SaveDocument(mainWindow, current, Text(filePath), filePath, chooser), kSaveWritten);
    EXPECT_EQ(Text(filePath), folder.Path("saved.mvl"));
    EXPECT_EQ(SaveDocument(mainWindow, current, folder.Path("UP.MVL"), filePath, chooser),
              kSaveWritten);
    EXPECT_EQ(Text(filePath), folder.Path("UP.MVL.mvl"));
    EXPECT_EQ(chooser.requests.size(), 1u);

    PathBuffer kept = Buffer("kept");
    chooser.WillCancel();
    EXPECT_EQ(SaveDocument(mainWindow, current, "", kept, chooser), kSaveCancelled);
    EXPECT_EQ(SaveDocument(mainWindow, current, folder.Path("missing/x.mvl"), kept, chooser),
              kSaveFailed);
    EXPECT_EQ(SaveDocument(mainWindow, current, folder.Path(std::string(1020, 'n')), kept, chooser),
              kSaveFailed);
    EXPECT_EQ(Text(kept), "kept");
}

TEST(FilePathState, TheFirstByteEncodesTheDocumentState) {
    PathBuffer path{};
    EXPECT_EQ(StateOfFilePath(path), FilePathState::UntouchedNew);
    MarkEditedIfNew(path);
    EXPECT_EQ(StateOfFilePath(path), FilePathState::EditedUnsaved);
    EXPECT_EQ(path[0], '\x01');
    PathBuffer file = Buffer("\x95\x5C.mvl");  // a first byte above 0x7F is a path too
    MarkEditedIfNew(file);
    EXPECT_EQ(StateOfFilePath(file), FilePathState::HasFile);
    EXPECT_EQ(Text(file), "\x95\x5C.mvl");
}

TEST(EditorDocumentInit, ANewDocumentHasDefaultsAndNoMeshes) {
    EditorDocument document;
    document.selectedFrame = 5;
    InitDocument(document);
    EXPECT_EQ(std::memcmp(document.document.header.magic, "MVL1", 4), 0);
    EXPECT_EQ(document.document.header.cameraDistance, 300);
    EXPECT_EQ(document.selectedFrame, 0);
    FakePartMeshLoader loader;
    EXPECT_TRUE(LoadPartMeshes(document, loader));
    EXPECT_TRUE(document.partMeshes.empty());
    ReleaseDocument(document);
}

TEST(SnapshotCopy, ASameShapedTargetKeepsItsArraysAndAnotherGetsNewOnes) {
    const DocumentContents walk{{".\\a.x", ".\\b.x"},
                                {{"walk", "w.wav", {{"f0", {MakePosition(0, 1)}}, {"f1", {}}}}}};
    DocumentContents other = walk;
    other.motions[0].name = "run";
    other.motions[0].frames[0].positions[0] = MakePosition(1, 7);
    OwnedDocument source(other);
    OwnedDocument target(walk);
    const PositionEntry *positions = target->motions[0].frames[0].positions;
    ASSERT_TRUE(SameShape(*target, *source));
    ASSERT_TRUE(CopyDocumentReusingTables(*target, *source, CopyTarget::SetAside));
    EXPECT_EQ(target->motions[0].frames[0].positions, positions);
    EXPECT_EQ(EncodedBytes(*target), EncodedBytes(*source));

    other.motions[0].frames[1].positions = {MakePosition(0, 3)};
    OwnedDocument grown(other);
    EXPECT_FALSE(SameShape(*target, *grown));
    ASSERT_TRUE(CopyDocumentReusingTables(*target, *grown, CopyTarget::InUse));
    EXPECT_EQ(EncodedBytes(*target), EncodedBytes(*grown));
}

}  // namespace
}  // namespace morvel::document
