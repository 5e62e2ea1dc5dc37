#include "render/pose.h"

#include <gtest/gtest.h>

#include <cstring>

#include "document/pose_mirror.h"
#include "render/d3dx_math.h"

namespace {

using morvel::Matrix;
using morvel::Vector3;
using morvel::render::BuildPoseMatrix;
using morvel::render::BuildPositionMaterial;

Vector3 Apply(const Matrix &m, Vector3 v) { return d3dx::TransformCoord(v, m); }

TEST(PoseMatrix, UnitPositionIsExactlyTheIdentity) {
    Matrix identity;
    d3dx::D3DXMatrixIdentity(&identity);
    const Matrix world = BuildPoseMatrix(1, 1, 1, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(0, std::memcmp(&world, &identity, sizeof world));
}

TEST(PoseMatrix, RotationsMapAxesAsTheRowVectorConventionSays) {
    const Vector3 yToZ = Apply(BuildPoseMatrix(1, 1, 1, 90, 0, 0, 0, 0, 0), {0, 1, 0});
    EXPECT_NEAR(yToZ.x, 0, 1e-6);
    EXPECT_NEAR(yToZ.y, 0, 1e-6);
    EXPECT_NEAR(yToZ.z, 1, 1e-6);
    const Vector3 xToY = Apply(BuildPoseMatrix(1, 1, 1, 0, 0, 90, 0, 0, 0), {1, 0, 0});
    EXPECT_NEAR(xToY.x, 0, 1e-6);
    EXPECT_NEAR(xToY.y, 1, 1e-6);
    EXPECT_NEAR(xToY.z, 0, 1e-6);
}

TEST(PoseMatrix, XIsAppliedBeforeYAndYBeforeZ) {
    const Matrix xy = BuildPoseMatrix(1, 1, 1, 90, 90, 0, 0, 0, 0);
    const Matrix yz = BuildPoseMatrix(1, 1, 1, 0, 90, 90, 0, 0, 0);
    // +Y: X turns it onto +Z, then Y onto +X.
    const Vector3 a = Apply(xy, {0, 1, 0});
    EXPECT_NEAR(a.x, 1, 1e-6);
    // +Y: Y leaves it, then Z turns it onto -X.
    const Vector3 b = Apply(yz, {0, 1, 0});
    EXPECT_NEAR(b.x, -1, 1e-6);
}

TEST(PoseMatrix, ScaleActsFirstThenTranslationLastAndNegativesPassUnchanged) {
    const Matrix m = BuildPoseMatrix(2, -3, 4, 0, 0, 0, 10, 20, 30);
    const Vector3 p = Apply(m, {1, 1, 1});
    EXPECT_FLOAT_EQ(p.x, 12);
    EXPECT_FLOAT_EQ(p.y, 17);
    EXPECT_FLOAT_EQ(p.z, 34);
    // -90 and 450 are used as they are: 450 is a quarter turn like 90.
    const Vector3 q = Apply(BuildPoseMatrix(1, 1, 1, 0, 0, 450, 0, 0, 0), {1, 0, 0});
    EXPECT_NEAR(q.y, 1, 1e-5);
    const Vector3 r = Apply(BuildPoseMatrix(1, 1, 1, 0, 0, -90, 0, 0, 0), {1, 0, 0});
    EXPECT_NEAR(r.y, -1, 1e-6);
    // The translation is applied when only one component is non-zero.
    EXPECT_FLOAT_EQ(BuildPoseMatrix(1, 1, 1, 0, 0, 0, 0, 0, -5).m[3][2], -5.0f);
}

// A mirrored position places a mirrored mesh where the reflection of the
// original lands: its world matrix is M * W * M with M = diag(-1, 1, 1).
TEST(PoseMatrix, AMirroredPoseIsTheReflectionOfTheOriginal) {
    PositionEntry p{};
    p.scale = {1.5, 0.5, 2.0};
    p.translation = {12.0, -4.0, 7.0};
    p.rotation = {35, -70, 125};
    const PositionEntry mirrored = morvel::document::MirrorPose({p}, {0})[0];
    const Matrix original = BuildPoseMatrix(p);
    const Matrix reflected = BuildPoseMatrix(mirrored);
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            const float sign = (r == 0) != (c == 0) ? -1.0f : 1.0f;
            EXPECT_NEAR(reflected.m[r][c], sign * original.m[r][c], 1e-5) << r << c;
        }
    }
}

TEST(PositionMaterial, OffsetsAddWithoutClampingAndTheRestIsFixed) {
    morvel::Material mesh{};
    mesh.Diffuse = {0.8f, 0.5f, 0.25f, 1.0f};
    mesh.Ambient = mesh.Diffuse;
    mesh.Specular = {0.1f, 0.1f, 0.1f, 0.1f};
    mesh.Power = 7.0f;
    PositionEntry position{};
    position.diffuse = {0.5, -1.0, 0.0, -0.5};
    position.ambient = {-0.9, 0.0, 2.0, 0.0};
    const morvel::Material m = BuildPositionMaterial(mesh, position);
    EXPECT_FLOAT_EQ(m.Diffuse.r, static_cast<float>(0.8f + 0.5));
    EXPECT_FLOAT_EQ(m.Diffuse.g, -0.5f);
    EXPECT_FLOAT_EQ(m.Diffuse.a, 0.5f);
    EXPECT_FLOAT_EQ(m.Ambient.r, static_cast<float>(0.8f - 0.9));
    EXPECT_FLOAT_EQ(m.Ambient.b, 2.25f);
    EXPECT_EQ(m.Specular.r, 1.0f);
    EXPECT_EQ(m.Specular.a, 1.0f);
    EXPECT_EQ(m.Emissive.g, 0.0f);
    EXPECT_EQ(m.Power, 50.0f);
}

TEST(HeaderColourTest, AlphaIsAlways200) {
    EXPECT_EQ(morvel::render::HeaderColour({0x12, 0x34, 0x56, 0xFF}), 0xC8123456u);
    EXPECT_EQ(morvel::render::HeaderColour({0, 0, 0, 0}), 0xC8000000u);
}

}  // namespace
