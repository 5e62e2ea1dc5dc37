#include <gtest/gtest.h>

#include "convert/gltf_axes.h"
#include "gltf_read_back.h"
#include "render/pose.h"

namespace morvel::convert {
namespace {

using testing::Compose;
using testing::Difference;
using testing::EditorMatrixInGltf;
using testing::Position;

testing::Matrix4 NodeMatrix(const NodeTransform &node) {
    return Compose({node.translation.begin(), node.translation.end()},
                   {node.rotation.begin(), node.rotation.end()},
                   {node.scale.begin(), node.scale.end()});
}

// Every rotation order, sign and size of angle the editor can store, with
// unit, uneven and mirroring scales.
void ExpectPosesMatchTheEditor(const Axes &axes) {
    const int16_t angles[] = {0, 1, -45, 90, 180, 270, 359, 400, -720, 33};
    const std::array<double, 3> scales[] = {{1, 1, 1}, {2.5, 0.5, 3}, {-1, 1, 0.25}};
    for (const int16_t x : angles) {
        for (const int16_t y : angles) {
            for (const int16_t z : angles) {
                for (const auto &scale : scales) {
                    const PositionEntry p = Position(0, {12.5, -63, 7.25}, {x, y, z}, scale);
                    const auto expected =
                        EditorMatrixInGltf(morvel::render::BuildPoseMatrix(p), axes.mirrorZ);
                    ASSERT_LT(Difference(NodeMatrix(PoseToNode(p, axes)), expected), 1e-5)
                        << "rotation " << x << " " << y << " " << z << " scale " << scale[0];
                }
            }
        }
    }
}

TEST(GltfAxesTest, PosesOfALeftHandedDocumentAreTheEditorMatricesMirroredInZ) {
    ExpectPosesMatchTheEditor(Axes{});
}

TEST(GltfAxesTest, PosesOfARightHandedDocumentAreTheEditorMatricesAsTheyAre) {
    Axes axes;
    axes.mirrorZ = false;
    ExpectPosesMatchTheEditor(axes);
}

TEST(GltfAxesTest, RotationAboutXTurnsUpIntoTheMirroredDepth) {
    // The editor's rotation (90, 0, 0) takes +Y onto +Z; mirrored, onto -Z.
    const NodeTransform node = PoseToNode(Position(0, {0, 0, 0}, {90, 0, 0}), Axes{});
    const auto m = NodeMatrix(node);
    EXPECT_NEAR(m[0][1], 0, 1e-6);
    EXPECT_NEAR(m[1][1], 0, 1e-6);
    EXPECT_NEAR(m[2][1], -1, 1e-6);
    EXPECT_EQ(node.translation, (std::array<float, 3>{0, 0, 0}));
    EXPECT_FALSE(std::signbit(node.translation[2])) << "no negative zero";
}

TEST(GltfAxesTest, HeaderChoosesMirrorWindingAndSides) {
    MotionFileHeader header{};
    header.cullingMode = 2;
    Axes axes = AxesOf(header);
    EXPECT_TRUE(axes.mirrorZ);
    EXPECT_TRUE(axes.reverseWinding);
    EXPECT_FALSE(axes.doubleSided);

    header.rightHanded = 1;
    header.cullingMode = 1;  // front faces counter-clockwise, as in glTF
    axes = AxesOf(header);
    EXPECT_FALSE(axes.mirrorZ);
    EXPECT_FALSE(axes.reverseWinding);

    header.cullingMode = 0;
    EXPECT_TRUE(AxesOf(header).doubleSided);
    header.cullingMode = 9;  // the device keeps its default, counter-clockwise culling
    EXPECT_TRUE(AxesOf(header).reverseWinding);
    EXPECT_FALSE(AxesOf(header).doubleSided);
}

}  // namespace
}  // namespace morvel::convert
