// The pose clipboard's pieces: the JSON text, the left/right partners by
// file name, mirroring, and replacing a frame's positions.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "document/pose_json.h"
#include "document/pose_mirror.h"
#include "document/table_ops.h"
#include "formats/motion/motion_file_reader.h"
#include "test_documents.h"

namespace morvel::document {
namespace {

using testing::MakePosition;
using testing::OwnedDocument;

bool SameBytes(const std::vector<PositionEntry> &a, const std::vector<PositionEntry> &b) {
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof a[0]) == 0);
}

TEST(PoseJson, CarriesEveryValueBitForBitAndRefusesWhatIsNoPose) {
    std::vector<PositionEntry> pose = {MakePosition(0, 1.25), MakePosition(3, -7.5), MakePosition(32767, 0.1)};
    pose[1].translation.x = std::numeric_limits<double>::quiet_NaN();
    pose[1].scale.y = -std::numeric_limits<double>::infinity();
    pose[2].ambient.r = -0.0;
    pose[2].diffuse.a = std::numeric_limits<double>::denorm_min();
    pose[2].rotation = {-32768, 32767, 0};
    const std::string text = PoseToJson(pose.data(), static_cast<uint16_t>(pose.size()));
    std::vector<PositionEntry> back;
    ASSERT_TRUE(PoseFromJson(text, back)) << text;
    EXPECT_TRUE(SameBytes(pose, back));
    ASSERT_TRUE(PoseFromJson(PoseToJson(nullptr, 0), back));
    EXPECT_TRUE(back.empty());

    const std::string position =
        R"({"partNumber":1,"ambient":[0,0,0,0],"diffuse":[0,0,0,0],"scale":[1,1,1],"translation":[0,0,0],"rotation":[0,0,0]})";
    ASSERT_TRUE(PoseFromJson(R"({"morvelPose":1,"positions":[)" + position + "]}", back));
    // One member broken at a time.
    auto with = [&](const std::string &from, const std::string &to) {
        std::string broken = position;
        broken.replace(broken.find(from), from.size(), to);
        return R"({"morvelPose":1,"positions":[)" + broken + "]}";
    };
    const std::vector<std::string> bad = {
        "not json", "[]", R"({"positions":[]})", R"({"morvelPose":2,"positions":[]})",
        R"({"morvelPose":1,"positions":{}})", R"({"morvelPose":1,"positions":[1]})",
        with("\"partNumber\":1", "\"partNumber\":40000"), with("\"ambient\":[0,0,0,0]", "\"ambient\":[0,0,0]"),
        with("\"scale\":[1,1,1]", "\"scale\":[1,1,\"x\"]"),
        with("\"translation\":[0,0,0]", "\"translation\":[0,0,\"0xzz00000000000000\"]"),
        with("\"rotation\":[0,0,0]", "\"rotation\":[0,0.5,0]"), with(",\"diffuse\":[0,0,0,0]", "")};
    for (const std::string &text : bad) {
        std::vector<PositionEntry> untouched = {MakePosition(9, 9)};
        EXPECT_FALSE(PoseFromJson(text, untouched)) << text;
        EXPECT_EQ(untouched.size(), 1u);
    }
    std::string tooMany = R"({"morvelPose":1,"positions":[)";
    for (int i = 0; i < 65536; ++i) tooMany += (i ? "," : "") + position;
    EXPECT_FALSE(PoseFromJson(tooMany + "]}", back));
}

TEST(PoseMirror, PartnersPairByTheirFileNames) {
    OwnedDocument document({{".\\arm_left.x", ".\\torso.x", ".\\Arm_Right.x", ".\\leg_L.x", ".\\leg_r.x",
                             ".\\handL.x", ".\\handR.x", "RFoot.x", "LFoot.x", ".\\\x8d\xb6\x98\x72.x",
                             ".\\\x89\x45\x98\x72.x", ".\\eye.l.x", ".\\eye.r.x", ".\\glove_l.x"},
                            {}});
    EXPECT_EQ(MirrorPartners(*document),
              (std::vector<int16_t>{2, 1, 0, 4, 3, 6, 5, 8, 7, 10, 9, 12, 11, 13}));
    // Letters that are only parts of words, and a trail byte that reads as
    // 'L' (0x88 0x4C), pair with nothing.
    for (const char *lone : {".\\lamp.x", ".\\roller.x", ".\\Lever.x", "\x88\x4c_x.x", ".\\LR.x"}) {
        EXPECT_TRUE(PartnerNameCandidates(lone).empty()) << lone;
    }
}

TEST(PoseMirror, MirroringTwiceGivesThePoseBackAndTheRobotsStepsMirrorEachOther) {
    const std::vector<int16_t> partners = {0, 2, 1, 3};
    std::mt19937 random(7);
    std::uniform_real_distribution<double> value(-100, 100);
    std::uniform_int_distribution<int> degrees(-32768, 32767);
    std::vector<PositionEntry> pose;
    for (int16_t part : {0, 1, 2, 3, 2, 7}) {
        PositionEntry p = MakePosition(part, value(random));
        p.translation = {value(random), value(random), 0.0};
        p.rotation = {static_cast<int16_t>(degrees(random)), static_cast<int16_t>(degrees(random)),
                      static_cast<int16_t>(degrees(random))};
        pose.push_back(p);
    }
    pose[0].rotation.y = -32768;
    const std::vector<PositionEntry> once = MirrorPose(pose, partners);
    EXPECT_EQ(once[1].partNumber, 1);
    EXPECT_EQ(once[1].translation.x, -pose[2].translation.x);
    EXPECT_EQ(once[1].rotation.z, -pose[2].rotation.z);
    EXPECT_EQ(once[0].rotation.y, 32408);  // -(-32768) turned by a whole number of turns
    EXPECT_TRUE(SameBytes(MirrorPose(MirrorPose({pose.begin() + 1, pose.end()}, partners), partners),
                          {pose.begin() + 1, pose.end()}));

    OwnedDocument robot;
    ASSERT_EQ(formats::motion::LoadMotionFile(*robot, MORVEL_SOURCE_DIR "/examples/robot/robot.mvl", ""), 0);
    const FrameEntry *walk = robot->motions[0].frames;
    const std::vector<PositionEntry> step0(walk[0].positions, walk[0].positions + walk[0].positionCount);
    const std::vector<PositionEntry> step2(walk[2].positions, walk[2].positions + walk[2].positionCount);
    EXPECT_TRUE(SameBytes(MirrorPose(step0, MirrorPartners(*robot)), step2));
}

TEST(PoseMirror, ReplacePositionsTakesAPoseOfAnySizeButNoForeignPart) {
    OwnedDocument document({{"a.x", "b.x"}, {{"m", "", {{"f", {MakePosition(0, 1)}}}}}});
    const std::vector<PositionEntry> three = {MakePosition(1, 2), MakePosition(0, 3), MakePosition(1, 4)};
    ASSERT_TRUE(ReplacePositions(*document, 0, 0, three.data(), three.size()));
    const FrameEntry &frame = document->motions[0].frames[0];
    EXPECT_TRUE(SameBytes({frame.positions, frame.positions + frame.positionCount}, three));
    ASSERT_TRUE(ReplacePositions(*document, 0, 0, three.data(), 2));
    EXPECT_EQ(document->motions[0].frames[0].positionCount, 2);
    const std::vector<PositionEntry> foreign = {MakePosition(2, 1)};
    EXPECT_FALSE(ReplacePositions(*document, 0, 0, foreign.data(), 1));
    EXPECT_FALSE(ReplacePositions(*document, 0, 1, three.data(), 1));
    EXPECT_EQ(document->motions[0].frames[0].positionCount, 2);
    ASSERT_TRUE(ReplacePositions(*document, 0, 0, nullptr, 0));
    EXPECT_EQ(document->motions[0].frames[0].positions, nullptr);
}

}  // namespace
}  // namespace morvel::document
