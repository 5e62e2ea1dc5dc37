#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "mvllib/mvllib.h"

namespace {

MotionDocument Garbage() {
    MotionDocument d;
    std::memset(&d, 0xAB, sizeof d);
    return d;
}

// Builds a document whose tables the library owns, through a scratch copy.
struct SampleDocument {
    MotionDocument doc;
    SampleDocument() {
        static PartEntry parts[2] = {{".\\body.x", 7}, {".\\head.x", 0}};
        static PositionEntry positions[3];
        for (int i = 0; i < 3; ++i) {
            positions[i] = PositionEntry{};
            positions[i].partNumber = static_cast<int16_t>(i % 2);
            positions[i].scale = {1.0, 2.0, 3.0};
            positions[i].rotation = {static_cast<int16_t>(10 * i), 0, -5};
        }
        static FrameEntry frames[3] = {};
        frames[0].positionCount = 3;
        std::strcpy(frames[0].comment, "first");
        frames[0].positions = positions;
        frames[1].positionCount = 0;  // a frame without positions
        frames[1].positions = reinterpret_cast<PositionEntry *>(0x1);  // must never be touched
        frames[2].positionCount = 1;
        frames[2].positions = positions + 2;
        static MotionEntry motions[2] = {};
        motions[0].frameCount = 3;
        std::strcpy(motions[0].name, "walk");
        motions[0].frames = frames;
        motions[1].frameCount = 0;  // a motion without frames
        motions[1].frames = reinterpret_cast<FrameEntry *>(0x1);
        MotionDocument source;
        Mvl_Func_ObjectInit(&source);
        source.header.partCount = 2;
        source.header.motionCount = 2;
        source.parts = parts;
        source.motions = motions;
        std::strcpy(source.header.userCode, "secret");
        Mvl_Func_ObjectInit(&doc);
        EXPECT_EQ(Mvl_Func_Copy(&doc, &source), 1);
    }
    ~SampleDocument() { Mvl_Func_Delete(&doc); }
};

TEST(ObjectInit, WritesDefaultHeaderOverGarbage) {
    MotionDocument d = Garbage();
    Mvl_Func_ObjectInit(&d);
    const MotionFileHeader &h = d.header;
    EXPECT_EQ(std::memcmp(h.magic, "MVL1", 4), 0);
    EXPECT_EQ(std::memcmp(h.version, "1.00", 4), 0);
    EXPECT_EQ(h.userCode[0], '\0');
    EXPECT_EQ(h.partCount, 0);
    EXPECT_EQ(h.motionCount, 0);
    EXPECT_EQ(h.backgroundColour.r, 0);
    EXPECT_EQ(h.backgroundColour.a, 255);
    EXPECT_EQ(h.axisVisible, 1);
    EXPECT_EQ(h.axisColour.g, 200);
    EXPECT_EQ(h.axisColour.a, 255);
    EXPECT_EQ(h.statusTextVisible, 1);
    EXPECT_EQ(h.statusTextColour.b, 200);
    EXPECT_EQ(h.cameraDistance, 300);
    EXPECT_EQ(h.cullingMode, 2);
    EXPECT_EQ(h.initialScale.y, 100.0);
    EXPECT_EQ(h.axisDirection, 7);
    EXPECT_EQ(h.rightHanded, 0);
    EXPECT_EQ(h.initialDiffuse.a, 0.0);
    // The header is all the function touches.
    EXPECT_EQ(reinterpret_cast<uintptr_t>(d.parts) & 0xFF, 0xABu);
}

TEST(ObjectInit, GarbageReferencesAreNeverFreedAfterInit) {
    MotionDocument d = Garbage();
    Mvl_Func_ObjectInit(&d);
    SampleDocument sample;
    EXPECT_EQ(Mvl_Func_Copy(&d, &sample.doc), 1);  // would crash freeing 0xABAB... otherwise
    EXPECT_EQ(d.header.partCount, 2);
    Mvl_Func_Delete(&d);
    EXPECT_EQ(Mvl_Func_Delete(&d), 1);  // deleting an empty document frees nothing
}

TEST(Delete, ResetsHeaderAndTables) {
    SampleDocument sample;
    MotionDocument &d = sample.doc;
    d.header.cameraElevation = 45;
    d.header.backgroundColour.r = 9;
    d.header.statusTextColour.r = 1;
    EXPECT_EQ(Mvl_Func_Delete(&d), 1);
    MotionDocument fresh;
    Mvl_Func_ObjectInit(&fresh);
    EXPECT_EQ(std::memcmp(&d.header, &fresh.header, sizeof fresh.header), 0);
    EXPECT_EQ(d.parts, nullptr);
    EXPECT_EQ(d.motions, nullptr);
}

TEST(Copy, IsDeepAndIndependent) {
    SampleDocument sample;
    MotionDocument copy;
    Mvl_Func_ObjectInit(&copy);
    ASSERT_EQ(Mvl_Func_Copy(&copy, &sample.doc), 1);
    EXPECT_EQ(std::strcmp(copy.header.userCode, "secret"), 0);
    ASSERT_EQ(copy.header.motionCount, 2);
    EXPECT_NE(copy.parts, sample.doc.parts);
    EXPECT_EQ(copy.parts[0].reserved64, 7);
    EXPECT_NE(copy.motions[0].frames, sample.doc.motions[0].frames);
    PositionEntry &p = copy.motions[0].frames[0].positions[1];
    EXPECT_NE(&p, &sample.doc.motions[0].frames[0].positions[1]);
    p.translation.x = 42.0;
    p.rotation.y = 7;
    EXPECT_EQ(sample.doc.motions[0].frames[0].positions[1].translation.x, 0.0);
    EXPECT_EQ(sample.doc.motions[0].frames[0].positions[1].rotation.y, 0);
    EXPECT_EQ(copy.motions[0].frames[2].positions[0].rotation.x, 20);
    EXPECT_EQ(copy.motions[0].frames[1].positionCount, 0);
    EXPECT_EQ(copy.motions[1].frameCount, 0);
    Mvl_Func_Delete(&copy);
}

TEST(Copy, ReplacesPreviousTablesOfDestination) {
    SampleDocument a;
    SampleDocument b;
    b.doc.motions[0].frames[0].positions[0].scale.x = 9.0;
    ASSERT_EQ(Mvl_Func_Copy(&a.doc, &b.doc), 1);
    EXPECT_EQ(a.doc.motions[0].frames[0].positions[0].scale.x, 9.0);
}

TEST(Copy, OntoItselfChangesNothing) {
    SampleDocument sample;
    PositionEntry *before = sample.doc.motions[0].frames[0].positions;
    EXPECT_EQ(Mvl_Func_Copy(&sample.doc, &sample.doc), 1);
    EXPECT_EQ(sample.doc.motions[0].frames[0].positions, before);
    EXPECT_EQ(sample.doc.motions[0].frames[0].positions[2].rotation.x, 20);
}

TEST(Copy, OfEmptyDocumentLeavesNoTables) {
    MotionDocument empty;
    Mvl_Func_ObjectInit(&empty);
    SampleDocument sample;
    EXPECT_EQ(Mvl_Func_Copy(&sample.doc, &empty), 1);
    EXPECT_EQ(sample.doc.header.partCount, 0);
    EXPECT_EQ(sample.doc.parts, nullptr);
}

TEST(GetVersion, WritesExactlyFiveBytes) {
    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(Mvl_Func_GetVersion(buffer), buffer);
    EXPECT_EQ(std::memcmp(buffer, "1.00\0###", 8), 0);
}

}  // namespace
