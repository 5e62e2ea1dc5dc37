#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "motion_file_builder.h"
#include "mvllib/mvllib.h"

namespace {

using mvltest::DocumentContents;
using mvltest::TempFile;

DocumentContents TwoMotionContents() {
    DocumentContents contents;
    contents.parts = {".\\body.x", ".\\arm.x"};
    mvltest::PositionContents p0;
    p0.partNumber = 1;
    p0.values[8] = 1.5;      // scale X
    p0.values[13] = -20.25;  // translation Z
    p0.rotation[0] = -90;
    mvltest::PositionContents p1;
    p1.partNumber = 0;
    p1.values[3] = 0.5;  // ambient A
    contents.motions = {
        {"walk", "step.wav", {{"f0", {p0, p1}}, {"empty", {}}, {"f2", {p1}}}},
        {"idle", "", {}},
        {"wave", "", {{"only", {p0}}}},
    };
    return contents;
}

class LoadTest : public ::testing::Test {
protected:
    void SetUp() override {
        Mvl_Func_ObjectInit(&doc);
        Mvl_Func_ObjectInit(&original);
    }
    void TearDown() override {
        Mvl_Func_Delete(&doc);
        Mvl_Func_Delete(&original);
    }
    int LoadBytes(const std::vector<uint8_t> &plain, const char *code = "") {
        file.Write(mvltest::Scrambled(plain));
        return Mvl_Func_Load(&doc, file.Path().c_str(), code);
    }
    // Loads a recognisable document first, so that "untouched" can be checked.
    void LoadOriginal() {
        DocumentContents contents;
        contents.parts = {"keep.x"};
        contents.cameraAzimuth = 33;
        TempFile f("original.mvl");
        f.Write(mvltest::Scrambled(mvltest::PlainFileBytes(contents)));
        ASSERT_EQ(Mvl_Func_Load(&doc, f.Path().c_str(), ""), 0);
    }
    void ExpectOriginal() {
        EXPECT_EQ(doc.header.partCount, 1);
        ASSERT_NE(doc.parts, nullptr);
        EXPECT_STREQ(doc.parts[0].fileName, "keep.x");
        EXPECT_EQ(doc.header.cameraAzimuth, 33);
    }

    MotionDocument doc;
    MotionDocument original;
    TempFile file{"load.mvl"};
};

TEST_F(LoadTest, ReadsEveryGroupInFileOrder) {
    ASSERT_EQ(LoadBytes(mvltest::PlainFileBytes(TwoMotionContents())), 0);
    ASSERT_EQ(doc.header.partCount, 2);
    EXPECT_STREQ(doc.parts[1].fileName, ".\\arm.x");
    ASSERT_EQ(doc.header.motionCount, 3);
    const MotionEntry &walk = doc.motions[0];
    EXPECT_STREQ(walk.name, "walk");
    EXPECT_STREQ(walk.soundFileName, "step.wav");
    ASSERT_EQ(walk.frameCount, 3);
    EXPECT_STREQ(walk.frames[1].comment, "empty");
    EXPECT_EQ(walk.frames[1].positionCount, 0);
    ASSERT_EQ(walk.frames[0].positionCount, 2);
    const PositionEntry &p = walk.frames[0].positions[0];
    EXPECT_EQ(p.partNumber, 1);
    EXPECT_EQ(p.scale.x, 1.5);
    EXPECT_EQ(p.translation.z, -20.25);
    EXPECT_EQ(p.rotation.x, -90);
    EXPECT_EQ(walk.frames[0].positions[1].ambient.a, 0.5);
    EXPECT_EQ(walk.frames[2].positions[0].partNumber, 0);
    EXPECT_EQ(doc.motions[1].frameCount, 0);
    ASSERT_EQ(doc.motions[2].frameCount, 1);
    EXPECT_EQ(doc.motions[2].frames[0].positions[0].rotation.x, -90);
}

TEST_F(LoadTest, EmptyDocumentKeepsViewSettingsAndUserCode) {
    DocumentContents contents;
    contents.userCode = "ab";
    contents.cameraElevation = -12;
    contents.cameraDistance = 750;
    contents.background[0] = 17;
    std::vector<uint8_t> bytes = mvltest::PlainFileBytes(contents);
    ASSERT_EQ(bytes.size(), 192u);
    ASSERT_EQ(LoadBytes(bytes, "ab"), 0);
    EXPECT_EQ(doc.header.cameraElevation, -12);
    EXPECT_EQ(doc.header.cameraDistance, 750);
    EXPECT_EQ(doc.header.backgroundColour.r, 17);
    EXPECT_STREQ(doc.header.userCode, "ab");
    EXPECT_EQ(doc.parts, nullptr);
    EXPECT_EQ(doc.motions, nullptr);
}

TEST_F(LoadTest, UserCodeMustMatchExactly) {
    DocumentContents open;
    file.Write(mvltest::Scrambled(mvltest::PlainFileBytes(open)));
    EXPECT_EQ(Mvl_Func_Load(&doc, file.Path().c_str(), ""), 0);
    EXPECT_EQ(Mvl_Func_Load(&doc, file.Path().c_str(), "x"), -3);

    DocumentContents locked;
    locked.userCode = "Secret";
    file.Write(mvltest::Scrambled(mvltest::PlainFileBytes(locked)));
    EXPECT_EQ(Mvl_Func_Load(&doc, file.Path().c_str(), ""), -3);
    EXPECT_EQ(Mvl_Func_Load(&doc, file.Path().c_str(), "secret"), -3);
    EXPECT_EQ(Mvl_Func_Load(&doc, file.Path().c_str(), "Secret2"), -3);
    EXPECT_EQ(Mvl_Func_Load(&doc, file.Path().c_str(), "Secre"), -3);
    EXPECT_EQ(Mvl_Func_Load(&doc, file.Path().c_str(), "Secret"), 0);
}

TEST_F(LoadTest, UserCodeFillingTheWholeFieldIsComparedWithinIt) {
    std::vector<uint8_t> bytes = mvltest::PlainFileBytes(DocumentContents{});
    for (int i = 8; i < 26; ++i) bytes[i] = 'k';  // no terminator inside the field
    EXPECT_EQ(LoadBytes(bytes, "kkkkkkkkkkkkkkkkkk"), 0);
    EXPECT_EQ(LoadBytes(bytes, "kkkkkkkkkkkkkkkkk"), -3);
}

TEST_F(LoadTest, MagicIsCheckedBeforeUserCode) {
    DocumentContents contents;
    contents.userCode = "code";
    const std::vector<uint8_t> good = mvltest::PlainFileBytes(contents);
    for (int i = 0; i < 4; ++i) {
        std::vector<uint8_t> bad = good;
        bad[i] ^= 0x20;
        EXPECT_EQ(LoadBytes(bad, "wrong"), -2) << "magic byte " << i;
    }
    for (int i = 4; i < 8; ++i) {
        std::vector<uint8_t> other = good;
        other[i] = static_cast<uint8_t>(0xF0 + i);
        EXPECT_EQ(LoadBytes(other, "code"), 0) << "version byte " << i;
    }
}

TEST_F(LoadTest, FailuresLeaveTheDestinationUntouched) {
    LoadOriginal();
    const std::vector<uint8_t> full = mvltest::PlainFileBytes(TwoMotionContents());
    // Truncated inside the last position record, inside every group, and
    // inside the header.
    for (size_t cut : {full.size() - 1, full.size() - 127, size_t{192 + 10}, size_t{192 + 132 + 50},
                       size_t{191}, size_t{0}}) {
        std::vector<uint8_t> bytes(full.begin(), full.begin() + static_cast<long>(cut));
        EXPECT_EQ(LoadBytes(bytes), -1) << "cut at " << cut;
        ExpectOriginal();
    }
    DocumentContents locked;
    locked.userCode = "x";
    EXPECT_EQ(LoadBytes(mvltest::PlainFileBytes(locked)), -3);
    ExpectOriginal();
    std::vector<uint8_t> foreign = full;
    foreign[0] = 'Q';
    EXPECT_EQ(LoadBytes(foreign), -2);
    ExpectOriginal();
    EXPECT_EQ(Mvl_Func_Load(&doc, "no/such/folder/file.mvl", ""), -1);
    ExpectOriginal();
}

TEST_F(LoadTest, CountsLargerThanTheFileEndInShortRead) {
    std::vector<uint8_t> bytes = mvltest::PlainFileBytes(DocumentContents{});
    bytes[26] = 0xFF;  // 65535 parts
    bytes[27] = 0xFF;
    bytes[28] = 0xFF;  // and 65535 motions
    bytes[29] = 0xFF;
    EXPECT_EQ(LoadBytes(bytes), -1);
    // A motion promising 65535 frames, in a file holding one motion record.
    DocumentContents contents;
    contents.motions = {{"m", "", {}}};
    bytes = mvltest::PlainFileBytes(contents);
    bytes[192] = 0xFF;
    bytes[193] = 0xFF;
    EXPECT_EQ(LoadBytes(bytes), -1);
    EXPECT_EQ(doc.header.motionCount, 0);
}

// Tables grow as their records arrive; long ones must still come out whole,
// and a file cut anywhere inside them must still fail cleanly.
TEST_F(LoadTest, LongTablesLoadWholeAndFailCleanlyWhenCut) {
    DocumentContents contents;
    for (int p = 0; p < 300; ++p) contents.parts.push_back("p" + std::to_string(p) + ".x");
    mvltest::PositionContents position;
    mvltest::FrameContents crowded{"crowded", {}};
    for (int q = 0; q < 700; ++q) {
        position.partNumber = static_cast<int16_t>(q);
        crowded.positions.push_back(position);
    }
    mvltest::MotionContents longMotion{"long", "", {}};
    for (int f = 0; f < 1000; ++f) longMotion.frames.push_back({"f" + std::to_string(f), {}});
    longMotion.frames[999] = crowded;
    for (int m = 0; m < 100; ++m) contents.motions.push_back({"m" + std::to_string(m), "", {}});
    contents.motions[50] = longMotion;
    const std::vector<uint8_t> bytes = mvltest::PlainFileBytes(contents);

    ASSERT_EQ(LoadBytes(bytes), 0);
    ASSERT_EQ(doc.header.partCount, 300);
    EXPECT_STREQ(doc.parts[299].fileName, "p299.x");
    ASSERT_EQ(doc.header.motionCount, 100);
    EXPECT_STREQ(doc.motions[99].name, "m99");
    const MotionEntry &motion = doc.motions[50];
    ASSERT_EQ(motion.frameCount, 1000);
    EXPECT_STREQ(motion.frames[998].comment, "f998");
    ASSERT_EQ(motion.frames[999].positionCount, 700);
    EXPECT_EQ(motion.frames[999].positions[699].partNumber, 699);

    LoadOriginal();
    // Cut inside the parts, the motions, the frames and the positions.
    for (size_t size : {size_t{192 + 66 * 150}, size_t{192 + 66 * 300 + 88 * 60},
                        size_t{192 + 66 * 300 + 88 * 100 + 24 * 500}, bytes.size() - 1}) {
        EXPECT_EQ(LoadBytes(std::vector<uint8_t>(bytes.begin(), bytes.begin() + size)), -1) << size;
        ExpectOriginal();
    }
}

TEST_F(LoadTest, TrailingBytesAreIgnored) {
    std::vector<uint8_t> bytes = mvltest::PlainFileBytes(TwoMotionContents());
    bytes.insert(bytes.end(), 1000, 0x5A);
    ASSERT_EQ(LoadBytes(bytes), 0);
    EXPECT_EQ(doc.header.motionCount, 3);
}

TEST_F(LoadTest, ReplacesPreviousDocumentOnSuccess) {
    LoadOriginal();
    ASSERT_EQ(LoadBytes(mvltest::PlainFileBytes(TwoMotionContents())), 0);
    EXPECT_EQ(doc.header.partCount, 2);
    EXPECT_EQ(doc.header.cameraAzimuth, 0);
}

TEST_F(LoadTest, BackslashPathsOpenAsOnWindows) {
    file.Write(mvltest::Scrambled(mvltest::PlainFileBytes(DocumentContents{})));
    std::string windowsPath = file.Path();
    for (char &c : windowsPath) {
        if (c == '/') c = '\\';
    }
    EXPECT_EQ(Mvl_Func_Load(&doc, windowsPath.c_str(), ""), 0);
}

// 表 (0x95 0x5C) and ソ (0x83 0x5C) end in the byte of '\': a file named
// with them opens on every host, the second bytes staying part of the name.
TEST_F(LoadTest, NamesWhoseSecondBytesLookLikeBackslashesOpen) {
    TempFile named("\x95\x5C\x83\x5C.mvl");
    named.Write(mvltest::Scrambled(mvltest::PlainFileBytes(TwoMotionContents())));
    std::string windowsPath = named.Path();
    for (char &c : windowsPath) {
        if (c == '/') c = '\\';
    }
    ASSERT_EQ(Mvl_Func_Load(&doc, windowsPath.c_str(), ""), 0);
    EXPECT_EQ(doc.header.motionCount, 3);
}

}  // namespace
