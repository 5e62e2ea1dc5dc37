#include <gtest/gtest.h>

#include <cstring>

#include "document/table_ops.h"
#include "test_documents.h"

namespace morvel::document {
namespace {

using testing::DocumentContents;
using testing::EncodedBytes;
using testing::MakePosition;
using testing::operator==;
using testing::OwnedDocument;
using testing::PartNumbers;
using Parts = std::vector<std::vector<std::vector<int>>>;

// Two motions over five parts; motion 0 has three frames, motion 1 one
// frame without positions.
DocumentContents FivePartContents() {
    DocumentContents contents;
    contents.parts = {"p0.x", "p1.x", "p2.x", "p3.x", "p4.x"};
    contents.motions = {
        {"walk", "walk.wav",
         {{"a", {MakePosition(0, 1), MakePosition(2, 2), MakePosition(3, 3)}},
          {"b", {MakePosition(4, 4), MakePosition(1, 5)}},
          {"c", {MakePosition(2, 6)}}}},
        {"idle", "", {{"z", {}}}},
    };
    return contents;
}

TEST(TableOpsAppend, NewElementsAreLastZeroFilledAndKeepTheRest) {
    OwnedDocument doc(FivePartContents());
    doc->header.cameraDistance = 1234;
    ASSERT_TRUE(InsertPart(*doc, ".\\arm.x"));
    ASSERT_TRUE(InsertMotion(*doc, "run", ""));
    ASSERT_TRUE(InsertFrame(*doc, 0, "d"));
    ASSERT_TRUE(InsertPosition(*doc, 0, 1, MakePosition(5, 7)));

    ASSERT_EQ(doc->header.partCount, 6);
    EXPECT_STREQ(doc->parts[5].fileName, ".\\arm.x");
    EXPECT_EQ(doc->parts[5].reserved64, 0);
    EXPECT_STREQ(doc->parts[4].fileName, "p4.x");

    ASSERT_EQ(doc->header.motionCount, 3);
    const MotionEntry &run = doc->motions[2];
    EXPECT_STREQ(run.name, "run");
    EXPECT_EQ(run.frameCount, 0);
    for (char c : run.soundFileName) EXPECT_EQ(c, '\0');
    EXPECT_STREQ(doc->motions[0].soundFileName, "walk.wav");

    ASSERT_EQ(doc->motions[0].frameCount, 4);
    EXPECT_STREQ(doc->motions[0].frames[3].comment, "d");
    EXPECT_EQ(doc->motions[0].frames[3].positionCount, 0);
    EXPECT_EQ(PartNumbers(*doc)[0], (Parts::value_type{{0, 2, 3}, {4, 1, 5}, {2}, {}}));
    EXPECT_TRUE(doc->motions[0].frames[1].positions[2] == MakePosition(5, 7));
    // The header changes only in its counts.
    EXPECT_EQ(doc->header.cameraDistance, 1234);
}

TEST(TableOpsAppend, TextsAreCutToTheirFieldWithoutSplittingACharacter) {
    OwnedDocument doc;
    // 14 single bytes and then a double-byte character: only 15 bytes fit.
    const std::string name = std::string(14, 'n') + "\x83\x41";
    ASSERT_TRUE(InsertMotion(*doc, name, std::string(80, 's')));
    EXPECT_EQ(std::string(doc->motions[0].name), std::string(14, 'n'));
    EXPECT_EQ(std::string(doc->motions[0].soundFileName), std::string(63, 's'));
    ASSERT_TRUE(UpdateMotion(*doc, 0, std::string(13, 'n') + "\x83\x41", "x"));
    EXPECT_EQ(std::string(doc->motions[0].name), std::string(13, 'n') + "\x83\x41");
    EXPECT_STREQ(doc->motions[0].soundFileName, "x");
}

TEST(TableOpsParts, DeletePartRemovesItsPositionsAndRenumbersLaterParts) {
    OwnedDocument doc(FivePartContents());
    ASSERT_TRUE(DeletePart(*doc, 2));
    ASSERT_EQ(doc->header.partCount, 4);
    EXPECT_STREQ(doc->parts[2].fileName, "p3.x");
    EXPECT_EQ(PartNumbers(*doc), (Parts{{{0, 2}, {3, 1}, {}}, {{}}}));
    // The remaining positions keep their values.
    EXPECT_EQ(doc->motions[0].frames[0].positions[1].translation.x, 13.0);
}

TEST(TableOpsParts, DeletingTheOnlyPartLeavesMotionsAndFramesWithoutPositions) {
    DocumentContents contents;
    contents.parts = {"only.x"};
    contents.motions = {{"m", "", {{"a", {MakePosition(0, 1), MakePosition(0, 2)}}, {"b", {}}}}};
    OwnedDocument doc(contents);
    ASSERT_TRUE(DeletePart(*doc, 0));
    EXPECT_EQ(doc->header.partCount, 0);
    EXPECT_EQ(PartNumbers(*doc), (Parts{{{}, {}}}));
    EXPECT_FALSE(DeletePart(*doc, 0));
}

TEST(TableOpsParts, MovesSwapEveryReferenceOnceAndMoveBackRestores) {
    OwnedDocument doc(FivePartContents());
    const std::vector<uint8_t> before = EncodedBytes(*doc);
    ASSERT_TRUE(MovePartDown(*doc, 0));
    EXPECT_STREQ(doc->parts[0].fileName, "p1.x");
    EXPECT_STREQ(doc->parts[1].fileName, "p0.x");
    EXPECT_EQ(PartNumbers(*doc), (Parts{{{1, 2, 3}, {4, 0}, {2}}, {{}}}));
    ASSERT_TRUE(MovePartUp(*doc, 1));
    EXPECT_EQ(EncodedBytes(*doc), before);
    ASSERT_TRUE(MovePartUp(*doc, 4));
    EXPECT_EQ(PartNumbers(*doc), (Parts{{{0, 2, 4}, {3, 1}, {2}}, {{}}}));
}

TEST(TableOpsParts, UpdatePartKeepsReferences) {
    OwnedDocument doc(FivePartContents());
    ASSERT_TRUE(UpdatePart(*doc, 1, "new.x"));
    EXPECT_STREQ(doc->parts[1].fileName, "new.x");
    EXPECT_EQ(PartNumbers(*doc)[0][1], (std::vector<int>{4, 1}));
    EXPECT_FALSE(UpdatePart(*doc, 5, "x"));
}

// Every refused call leaves every byte of the document as it was.
TEST(TableOpsBounds, RefusedOperationsChangeNothing) {
    OwnedDocument doc(FivePartContents());
    const std::vector<uint8_t> before = EncodedBytes(*doc);
    const PositionEntry p = MakePosition(0, 9);
    const bool refused[] = {
        MovePartUp(*doc, 0),           MovePartUp(*doc, 5),        MovePartDown(*doc, 4),
        MovePartDown(*doc, -1),        DeletePart(*doc, -1),       DeletePart(*doc, 5),
        MoveMotionUp(*doc, 0),         MoveMotionDown(*doc, 1),    CopyMotion(*doc, 2),
        DeleteMotion(*doc, 2),         UpdateMotion(*doc, -1, "", ""),
        MoveFrameUp(*doc, 0, 0),       MoveFrameDown(*doc, 0, 2),  CopyFrame(*doc, 0, 3),
        AdjustFrame(*doc, 0, 2),       AdjustFrame(*doc, 1, 0),    AdjustFrame(*doc, 0, -1),
        DeleteFrame(*doc, 0, 3),       InsertFrame(*doc, 2, ""),   UpdateFrame(*doc, 0, 3, ""),
        MovePositionUp(*doc, 0, 0, 0), MovePositionDown(*doc, 0, 0, 2),
        MovePositionDown(*doc, 1, 0, -1), CopyPosition(*doc, 0, 1, 2),
        DeletePosition(*doc, 0, 2, 1), DeletePosition(*doc, 1, 0, 0),
        InsertPosition(*doc, 0, 3, p), InsertPosition(*doc, 2, 0, p),
        UpdatePosition(*doc, 0, 0, 3, p),
    };
    for (size_t i = 0; i < sizeof refused / sizeof refused[0]; ++i) {
        EXPECT_FALSE(refused[i]) << "call " << i;
    }
    EXPECT_EQ(EncodedBytes(*doc), before);
}

TEST(TableOpsBounds, DeletesOnADocumentWithoutMotionsDoNothing) {
    OwnedDocument doc;
    const std::vector<uint8_t> before = EncodedBytes(*doc);
    EXPECT_FALSE(DeleteMotion(*doc, 0));
    EXPECT_FALSE(DeleteFrame(*doc, 0, 0));
    EXPECT_FALSE(DeletePosition(*doc, 0, 0, 0));
    EXPECT_FALSE(MoveMotionDown(*doc, -1));  // k >= count - 1 holds for k = -1 on an empty table
    EXPECT_EQ(EncodedBytes(*doc), before);
}

TEST(TableOpsBounds, ACountThatWouldPassTheLimitIsRefused) {
    DocumentContents contents;
    contents.parts = {"p.x"};
    contents.motions = {{"full", "", {{"f", std::vector<PositionEntry>(65535, MakePosition(0, 1))},
                                  {"g", {MakePosition(0, 2)}}}}};
    OwnedDocument doc(contents);
    EXPECT_FALSE(InsertPosition(*doc, 0, 0, MakePosition(0, 3)));
    EXPECT_FALSE(CopyPosition(*doc, 0, 0, 0));
    EXPECT_EQ(doc->motions[0].frames[0].positionCount, 65535);
    EXPECT_TRUE(InsertPosition(*doc, 0, 1, MakePosition(0, 3)));
    EXPECT_TRUE(DeletePosition(*doc, 0, 0, 65534));
    EXPECT_EQ(doc->motions[0].frames[0].positionCount, 65534);
}

TEST(TableOpsBounds, FullPartMotionAndFrameTablesRefuseToGrow) {
    DocumentContents contents;
    contents.parts = std::vector<std::string>(65535, "p.x");
    contents.motions = std::vector<testing::MotionContents>(65534, {"m", "", {}});
    contents.motions.push_back({"long", "", std::vector<testing::FrameContents>(65535, {"f", {}})});
    OwnedDocument doc(contents);
    const std::vector<uint8_t> before = EncodedBytes(*doc);
    EXPECT_FALSE(InsertPart(*doc, "q.x"));
    EXPECT_FALSE(InsertMotion(*doc, "n", ""));
    EXPECT_FALSE(CopyMotion(*doc, 0));
    EXPECT_FALSE(InsertFrame(*doc, 65534, "g"));
    EXPECT_FALSE(CopyFrame(*doc, 65534, 0));
    EXPECT_FALSE(AdjustFrame(*doc, 65534, 0));
    EXPECT_EQ(EncodedBytes(*doc), before);
    EXPECT_TRUE(InsertFrame(*doc, 0, "g"));
    EXPECT_TRUE(DeletePart(*doc, 65534));
    EXPECT_TRUE(InsertPart(*doc, "q.x"));
    EXPECT_STREQ(doc->parts[65534].fileName, "q.x");
}

// Parts from 32,768 on cannot be referred to by a signed 16-bit number.
TEST(TableOpsParts, MovesAtTheSignedLimitLeaveNegativeReferencesAlone) {
    DocumentContents contents;
    contents.parts = std::vector<std::string>(32769, "p.x");
    contents.motions = {{"m", "", {{"f", {MakePosition(-32768, 1), MakePosition(32767, 2),
                                      MakePosition(-1, 3), MakePosition(5, 4)}}}}};
    OwnedDocument doc(contents);
    // Part 32,767 moves out of reach; the invalid reference stays invalid.
    ASSERT_TRUE(MovePartDown(*doc, 32767));
    EXPECT_EQ(PartNumbers(*doc)[0][0], (std::vector<int>{-32768, -32768, -1, 5}));
    ASSERT_TRUE(DeletePart(*doc, 0));
    EXPECT_EQ(PartNumbers(*doc)[0][0], (std::vector<int>{-32768, -32768, -1, 4}));
}

TEST(TableOpsMotions, MovesCarryFramesAndDeleteReleasesTheRest) {
    OwnedDocument doc(FivePartContents());
    ASSERT_TRUE(MoveMotionDown(*doc, 0));
    EXPECT_STREQ(doc->motions[0].name, "idle");
    EXPECT_EQ(PartNumbers(*doc), (Parts{{{}}, {{0, 2, 3}, {4, 1}, {2}}}));
    ASSERT_TRUE(MoveMotionUp(*doc, 1));
    ASSERT_TRUE(DeleteMotion(*doc, 0));
    ASSERT_EQ(doc->header.motionCount, 1);
    EXPECT_STREQ(doc->motions[0].name, "idle");
    ASSERT_TRUE(DeleteMotion(*doc, 0));
    EXPECT_EQ(doc->header.motionCount, 0);
}

TEST(TableOpsMotions, CopyMotionIsDeepAndIndependent) {
    OwnedDocument doc(FivePartContents());
    ASSERT_TRUE(CopyMotion(*doc, 0));
    ASSERT_EQ(doc->header.motionCount, 3);
    EXPECT_STREQ(doc->motions[1].name, "walk");
    EXPECT_STREQ(doc->motions[2].name, "idle");
    EXPECT_EQ(PartNumbers(*doc)[0], PartNumbers(*doc)[1]);
    EXPECT_NE(doc->motions[0].frames, doc->motions[1].frames);
    doc->motions[1].frames[0].positions[0].scale.x = -1.0;
    EXPECT_EQ(doc->motions[0].frames[0].positions[0].scale.x, 2.0);
    ASSERT_TRUE(DeleteFrame(*doc, 1, 0));
    EXPECT_EQ(doc->motions[0].frameCount, 3);
}

TEST(TableOpsFrames, MovesDeletesAndCopies) {
    OwnedDocument doc(FivePartContents());
    ASSERT_TRUE(MoveFrameDown(*doc, 0, 1));
    EXPECT_STREQ(doc->motions[0].frames[2].comment, "b");
    ASSERT_TRUE(MoveFrameUp(*doc, 0, 2));
    ASSERT_TRUE(CopyFrame(*doc, 0, 1));
    EXPECT_EQ(PartNumbers(*doc)[0], (Parts::value_type{{0, 2, 3}, {4, 1}, {4, 1}, {2}}));
    EXPECT_STREQ(doc->motions[0].frames[2].comment, "b");
    doc->motions[0].frames[2].positions[0].partNumber = 0;
    EXPECT_EQ(doc->motions[0].frames[1].positions[0].partNumber, 4);
    ASSERT_TRUE(DeleteFrame(*doc, 0, 0));
    EXPECT_EQ(PartNumbers(*doc)[0], (Parts::value_type{{4, 1}, {0, 1}, {2}}));
    ASSERT_TRUE(UpdateFrame(*doc, 0, 0, "first"));
    EXPECT_STREQ(doc->motions[0].frames[0].comment, "first");
}

TEST(TableOpsFrames, AdjustFrameInsertsTheHalfwayFrame) {
    PositionEntry a = MakePosition(1, 0);
    PositionEntry b = MakePosition(0, 0);
    a.scale.x = 1.0;
    b.scale.x = 2.0;
    a.ambient.a = -0.5;
    b.ambient.a = 0.25;
    a.rotation = {10, 5, -5};
    b.rotation = {21, 6, -6};
    PositionEntry c = a;
    c.rotation = {20000, -20000, 32767};
    PositionEntry d = b;
    d.rotation = {20000, -20000, 1};
    const PositionEntry unpaired = MakePosition(2, 40);
    DocumentContents contents;
    contents.parts = {"a.x", "b.x", "c.x"};
    contents.motions = {{"m", "", {{"k", {a, c, unpaired}}, {"k+1", {b, d}}}}};
    OwnedDocument doc(contents);

    ASSERT_TRUE(AdjustFrame(*doc, 0, 0));
    const MotionEntry &motion = doc->motions[0];
    ASSERT_EQ(motion.frameCount, 3);
    EXPECT_STREQ(motion.frames[1].comment, "k");
    EXPECT_STREQ(motion.frames[2].comment, "k+1");
    const FrameEntry &mid = motion.frames[1];
    ASSERT_EQ(mid.positionCount, 3);
    const PositionEntry &p = mid.positions[0];
    EXPECT_EQ(p.partNumber, 1);  // frame k's part, not the partner's
    EXPECT_EQ(p.scale.x, 1.5);
    EXPECT_EQ(p.ambient.a, -0.125);
    EXPECT_EQ(p.translation.y, 20.0);
    EXPECT_EQ(p.rotation.x, 15);
    EXPECT_EQ(p.rotation.y, 5);
    EXPECT_EQ(p.rotation.z, -5);
    // The 16-bit sums wrap before halving.
    EXPECT_EQ(mid.positions[1].rotation.x, -12768);
    EXPECT_EQ(mid.positions[1].rotation.y, 12768);
    EXPECT_EQ(mid.positions[1].rotation.z, -16384);
    EXPECT_TRUE(mid.positions[2] == unpaired);
    // The neighbours are unchanged.
    EXPECT_TRUE(motion.frames[0].positions[0] == a);
    EXPECT_TRUE(motion.frames[2].positions[0] == b);
    EXPECT_FALSE(AdjustFrame(*doc, 0, 2));
}

TEST(TableOpsFrames, AdjustFrameBesideAFrameWithMorePositions) {
    DocumentContents contents;
    contents.parts = {"a.x"};
    contents.motions = {{"m", "", {{"k", {MakePosition(0, 2)}},
                               {"n", {MakePosition(0, 4), MakePosition(0, 8)}}}}};
    OwnedDocument doc(contents);
    ASSERT_TRUE(AdjustFrame(*doc, 0, 0));
    const FrameEntry &mid = doc->motions[0].frames[1];
    ASSERT_EQ(mid.positionCount, 1);
    EXPECT_EQ(mid.positions[0].translation.x, 13.0);
}

TEST(TableOpsPositions, MovesDeletesCopiesAndUpdates) {
    OwnedDocument doc(FivePartContents());
    ASSERT_TRUE(MovePositionDown(*doc, 0, 0, 0));
    EXPECT_EQ(PartNumbers(*doc)[0][0], (std::vector<int>{2, 0, 3}));
    ASSERT_TRUE(MovePositionUp(*doc, 0, 0, 2));
    EXPECT_EQ(PartNumbers(*doc)[0][0], (std::vector<int>{2, 3, 0}));
    ASSERT_TRUE(CopyPosition(*doc, 0, 0, 1));
    EXPECT_EQ(PartNumbers(*doc)[0][0], (std::vector<int>{2, 3, 3, 0}));
    EXPECT_TRUE(doc->motions[0].frames[0].positions[1] == doc->motions[0].frames[0].positions[2]);
    ASSERT_TRUE(DeletePosition(*doc, 0, 0, 0));
    EXPECT_EQ(PartNumbers(*doc)[0][0], (std::vector<int>{3, 3, 0}));
    ASSERT_TRUE(UpdatePosition(*doc, 0, 0, 2, MakePosition(4, 50)));
    EXPECT_TRUE(doc->motions[0].frames[0].positions[2] == MakePosition(4, 50));
    ASSERT_TRUE(DeletePosition(*doc, 0, 2, 0));
    EXPECT_EQ(doc->motions[0].frames[2].positionCount, 0);
    ASSERT_TRUE(InsertPosition(*doc, 0, 2, MakePosition(1, 1)));
    EXPECT_EQ(PartNumbers(*doc)[0][2], (std::vector<int>{1}));
}

}  // namespace
}  // namespace morvel::document
