#include "render/d3dx_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

using d3dx::D3DXMATRIX;
using d3dx::D3DXVECTOR3;

uint32_t Bits(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, 4);
    return bits;
}

void ExpectNear(const D3DXVECTOR3 &actual, float x, float y, float z, float tolerance = 1e-5f) {
    EXPECT_NEAR(actual.x, x, tolerance);
    EXPECT_NEAR(actual.y, y, tolerance);
    EXPECT_NEAR(actual.z, z, tolerance);
}

TEST(D3dxMath, DegToRadHasTheDocumentedBitsAndRoundsTheProduct) {
    EXPECT_EQ(Bits(d3dx::DEG_TO_RAD), 0x3C8EFA35u);
    EXPECT_EQ(Bits(d3dx::DegreesToRadians(90)), Bits(90.0f * d3dx::DEG_TO_RAD));
    EXPECT_EQ(d3dx::DegreesToRadians(-180), -d3dx::DegreesToRadians(180));
}

TEST(D3dxMath, RotationsTurnRowVectorsTheDirect3DWay) {
    D3DXMATRIX m;
    d3dx::D3DXMatrixRotationX(&m, d3dx::DegreesToRadians(90));
    ExpectNear(d3dx::TransformCoord({0, 1, 0}, m), 0, 0, 1);  // +Y onto +Z
    d3dx::D3DXMatrixRotationY(&m, d3dx::DegreesToRadians(90));
    ExpectNear(d3dx::TransformCoord({0, 0, 1}, m), 1, 0, 0);  // +Z onto +X
    d3dx::D3DXMatrixRotationZ(&m, d3dx::DegreesToRadians(90));
    ExpectNear(d3dx::TransformCoord({1, 0, 0}, m), 0, 1, 0);  // +X onto +Y
}

TEST(D3dxMath, MultiplyAppliesTheLeftFactorFirstAndMayAlias) {
    D3DXMATRIX scale, move, product;
    d3dx::D3DXMatrixScaling(&scale, 2, 3, 4);
    d3dx::D3DXMatrixTranslation(&move, 10, 20, 30);
    d3dx::D3DXMatrixMultiply(&product, &scale, &move);
    ExpectNear(d3dx::TransformCoord({1, 1, 1}, product), 12, 23, 34);
    d3dx::D3DXMatrixMultiply(&scale, &scale, &move);  // out aliases m1
    EXPECT_EQ(0, std::memcmp(&scale, &product, sizeof product));
    d3dx::D3DXMatrixMultiply(&product, &move, &product);  // out aliases m2
    ExpectNear(d3dx::TransformCoord({0, 0, 0}, product), 30, 80, 150);
}

TEST(D3dxMath, LookAtPutsTheTargetStraightAheadInBothHandednesses) {
    const D3DXVECTOR3 eye{0, 0, 300}, at{0, 0, 0}, up{0, 1, 0};
    D3DXMATRIX lh, rh;
    d3dx::D3DXMatrixLookAtLH(&lh, &eye, &at, &up);
    d3dx::D3DXMatrixLookAtRH(&rh, &eye, &at, &up);
    // Left-handed views look down +z, right-handed down -z.
    ExpectNear(d3dx::TransformCoord(at, lh), 0, 0, 300);
    ExpectNear(d3dx::TransformCoord(at, rh), 0, 0, -300);
    ExpectNear(d3dx::TransformCoord(eye, lh), 0, 0, 0);
    // Up stays up; x flips between the two.
    ExpectNear(d3dx::TransformCoord({0, 1, 300}, lh), 0, 1, 0);
    ExpectNear(d3dx::TransformCoord({1, 0, 300}, lh), -1, 0, 0);
    ExpectNear(d3dx::TransformCoord({1, 0, 300}, rh), 1, 0, 0);
}

TEST(D3dxMath, PerspectiveMapsNearAndFarPlanesToZeroAndOne) {
    const float fov = 0.785398185f;
    D3DXMATRIX lh, rh;
    d3dx::D3DXMatrixPerspectiveFovLH(&lh, fov, 2.0f, 1.0f, 100000.0f);
    d3dx::D3DXMatrixPerspectiveFovRH(&rh, fov, 2.0f, 1.0f, 100000.0f);
    EXPECT_FLOAT_EQ(lh.m[1][1], 1.0f / std::tan(fov / 2));
    EXPECT_FLOAT_EQ(lh.m[0][0], lh.m[1][1] / 2.0f);
    EXPECT_EQ(lh.m[2][3], 1.0f);
    EXPECT_EQ(rh.m[2][3], -1.0f);
    EXPECT_NEAR(d3dx::TransformCoord({0, 0, 1}, lh).z, 0.0f, 1e-6f);
    EXPECT_NEAR(d3dx::TransformCoord({0, 0, 100000}, lh).z, 1.0f, 1e-6f);
    EXPECT_NEAR(d3dx::TransformCoord({0, 0, -1}, rh).z, 0.0f, 1e-6f);
    EXPECT_NEAR(d3dx::TransformCoord({0, 0, -100000}, rh).z, 1.0f, 1e-6f);
}

// x scale is y scale divided by the aspect, rounded once more: for some
// aspects 1 / (aspect * tan) gives another single.
TEST(D3dxMath, PerspectiveXScaleIsTheYScaleOverTheAspect) {
    const float fov = 0.785398185f;
    for (int bottom : {429, 449, 460}) {
        const float aspect = 640.0f / static_cast<float>(bottom);
        D3DXMATRIX lh, rh;
        d3dx::D3DXMatrixPerspectiveFovLH(&lh, fov, aspect, 1.0f, 100000.0f);
        d3dx::D3DXMatrixPerspectiveFovRH(&rh, fov, aspect, 1.0f, 100000.0f);
        const float yScale = 1.0f / std::tan(fov / 2.0f);
        EXPECT_EQ(lh.m[1][1], yScale);
        EXPECT_EQ(lh.m[0][0], yScale / aspect) << bottom;
        EXPECT_EQ(rh.m[0][0], yScale / aspect) << bottom;
    }
}

TEST(D3dxMath, NormalizeGivesUnitLengthAndKeepsZeroAtZero) {
    D3DXVECTOR3 out;
    const D3DXVECTOR3 v{-1, -1, -1};
    d3dx::D3DXVec3Normalize(&out, &v);
    ExpectNear(out, -0.577350269f, -0.577350269f, -0.577350269f, 1e-7f);
    const D3DXVECTOR3 zero{0, 0, 0};
    d3dx::D3DXVec3Normalize(&out, &zero);
    EXPECT_EQ(out.x, 0.0f);
    EXPECT_EQ(out.y, 0.0f);
    EXPECT_EQ(out.z, 0.0f);
}

}  // namespace
