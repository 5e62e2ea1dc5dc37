// A file whose every header field holds a distinct value at the offset the
// format gives it, written byte by byte here; it must land in the right fields.
#include <gtest/gtest.h>

#include <cstring>

#include "formats/motion/record_codec.h"
#include "motion_file_builder.h"
#include "mvllib/mvllib.h"

namespace {

std::vector<uint8_t> GoldenHeader() {
    mvltest::ByteImage h(192);
    h.Text(0, "MVL1");
    h.Text(4, "0.97");
    h.Text(8, "ユーザ");  // code page 932 bytes
    h.U16(26, 0);
    h.U16(28, 0);
    h.U32(32, 0x01020304);
    h.U8(36, 11); h.U8(37, 12); h.U8(38, 13); h.U8(39, 14);
    h.U8(40, 0);
    h.U8(41, 21); h.U8(42, 22); h.U8(43, 23); h.U8(44, 24);
    h.U8(45, 1);
    h.U8(46, 31); h.U8(47, 32); h.U8(48, 33); h.U8(49, 34);
    h.U16(52, static_cast<uint16_t>(-30));
    h.U16(54, 275);
    h.U16(56, 0x7FFF);
    h.U32(60, static_cast<uint32_t>(-450));
    h.F64(64, 1.25); h.F64(72, 2.5); h.F64(80, 3.75);
    h.U8(88, 1);
    h.F64(96, 0.5); h.F64(104, 60.0); h.F64(112, -7.0);
    h.U8(120, 1);
    h.U8(121, 5);
    for (int i = 0; i < 4; ++i) h.F64(128 + 8 * i, 0.1 * (i + 1));
    for (int i = 0; i < 4; ++i) h.F64(160 + 8 * i, -0.2 * (i + 1));
    return h.Bytes();
}

TEST(GoldenFile, HeaderFieldsLandAtTheirOffsets) {
    mvltest::TempFile file("golden.mvl");
    file.Write(mvltest::Scrambled(GoldenHeader()));
    MotionDocument d;
    Mvl_Func_ObjectInit(&d);
    ASSERT_EQ(Mvl_Func_Load(&d, file.Path().c_str(), "ユーザ"), 0);
    const MotionFileHeader &h = d.header;
    EXPECT_EQ(std::memcmp(h.version, "0.97", 4), 0);
    EXPECT_EQ(h.reserved32, 0x01020304);
    EXPECT_EQ(h.backgroundColour.r, 11);
    EXPECT_EQ(h.backgroundColour.a, 14);
    EXPECT_EQ(h.axisVisible, 0);
    EXPECT_EQ(h.axisColour.r, 21);
    EXPECT_EQ(h.axisColour.a, 24);
    EXPECT_EQ(h.statusTextVisible, 1);
    EXPECT_EQ(h.statusTextColour.r, 31);
    EXPECT_EQ(h.statusTextColour.a, 34);
    EXPECT_EQ(h.cameraElevation, -30);
    EXPECT_EQ(h.cameraAzimuth, 275);
    EXPECT_EQ(h.reserved56, 0x7FFF);
    EXPECT_EQ(h.cameraDistance, -450);
    EXPECT_EQ(h.reserved64[2], 3.75);
    EXPECT_EQ(h.cullingMode, 1);
    EXPECT_EQ(h.initialScale.x, 0.5);
    EXPECT_EQ(h.initialScale.z, -7.0);
    EXPECT_EQ(h.rightHanded, 1);
    EXPECT_EQ(h.axisDirection, 5);
    EXPECT_DOUBLE_EQ(h.initialAmbient.a, 0.4);
    EXPECT_DOUBLE_EQ(h.initialDiffuse.g, -0.4);
    // Encoding the loaded header gives the file's bytes back.
    unsigned char encoded[MVL_HEADER_SIZE];
    morvel::formats::motion::EncodeHeader(h, encoded);
    EXPECT_EQ(std::vector<uint8_t>(encoded, encoded + 192), GoldenHeader());
    Mvl_Func_Delete(&d);
}

TEST(GoldenFile, PositionFieldsLandAtTheirOffsets) {
    mvltest::DocumentContents contents;
    contents.parts = {"a.x"};
    mvltest::PositionContents p;
    p.partNumber = -2;
    for (int i = 0; i < 14; ++i) p.values[i] = i + 0.5;
    p.rotation[0] = 1;
    p.rotation[1] = -2;
    p.rotation[2] = 32767;
    contents.motions = {{"m", "s.wav", {{"c", {p}}}}};
    mvltest::TempFile file("golden_positions.mvl");
    const std::vector<uint8_t> plain = mvltest::PlainFileBytes(contents);
    file.Write(mvltest::Scrambled(plain));
    MotionDocument d;
    Mvl_Func_ObjectInit(&d);
    ASSERT_EQ(Mvl_Func_Load(&d, file.Path().c_str(), ""), 0);
    const PositionEntry &q = d.motions[0].frames[0].positions[0];
    EXPECT_EQ(q.partNumber, -2);
    EXPECT_EQ(q.ambient.r, 0.5);
    EXPECT_EQ(q.ambient.a, 3.5);
    EXPECT_EQ(q.diffuse.r, 4.5);
    EXPECT_EQ(q.scale.x, 8.5);
    EXPECT_EQ(q.scale.z, 10.5);
    EXPECT_EQ(q.translation.x, 11.5);
    EXPECT_EQ(q.translation.z, 13.5);
    EXPECT_EQ(q.rotation.y, -2);
    EXPECT_EQ(q.rotation.z, 32767);
    unsigned char encoded[MVL_POSITION_RECORD_SIZE];
    morvel::formats::motion::EncodePosition(q, encoded);
    EXPECT_EQ(std::memcmp(encoded, plain.data() + plain.size() - 128, 128), 0);
    Mvl_Func_Delete(&d);
}

}  // namespace
