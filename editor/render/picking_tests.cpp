#include "render/picking.h"

#include <gtest/gtest.h>

#include <cmath>

#include "render/d3dx_math.h"
#include "render/fakes/renderer_fixture.h"
#include "render/pose.h"

namespace {

using namespace morvel::render;
using morvel::Matrix;
using morvel::Vector3;
using morvel::formats::xfile::MeshData;
using fakes::RendererTest;

// A square of side 2 * half in the z = 0 plane, as the X loader hands it over.
MeshData Square(float half) {
    MeshData mesh;
    mesh.fvf = kPartMeshFvf;
    mesh.vertexStride = 32;
    mesh.vertexCount = 4;
    mesh.vertices.assign(4 * 32, 0);
    const float corners[4][3] = {{-half, -half, 0}, {-half, half, 0}, {half, half, 0}, {half, -half, 0}};
    for (int i = 0; i < 4; ++i) std::memcpy(&mesh.vertices[i * 32], corners[i], 12);
    mesh.faceCount = 2;
    mesh.indices = {0, 1, 2, 0, 2, 3};
    mesh.attributes = {0, 0};
    mesh.attributeTable = {{0, 0, 2, 0, 4}};
    mesh.materials.resize(1);
    mesh.adjacency.assign(6, 0xFFFFFFFFu);
    return mesh;
}

void Camera(bool rightHanded, Matrix &view, Matrix &projection) {
    const Vector3 eye{120.0f, 80.0f, -250.0f}, at{0, 0, 0}, up{0, 1, 0};
    if (rightHanded) {
        d3dx::D3DXMatrixLookAtRH(&view, &eye, &at, &up);
        d3dx::D3DXMatrixPerspectiveFovRH(&projection, 0.785398185f, 640.0f / 460.0f, 1, 100000);
    } else {
        d3dx::D3DXMatrixLookAtLH(&view, &eye, &at, &up);
        d3dx::D3DXMatrixPerspectiveFovLH(&projection, 0.785398185f, 640.0f / 460.0f, 1, 100000);
    }
}

// Whichever the handedness, the ray through the pixel a point is drawn at
// passes through that point.
TEST(Picking, TheRayThroughAPointsPixelPassesThroughThePoint) {
    for (bool rightHanded : {false, true}) {
        Matrix view, projection, both;
        Camera(rightHanded, view, projection);
        d3dx::D3DXMatrixMultiply(&both, &view, &projection);
        for (const Vector3 point : {Vector3{0, 0, 0}, Vector3{30, -20, 15}, Vector3{-60, 40, -5}}) {
            const Vector3 ndc = d3dx::TransformCoord(point, both);
            const double px = (ndc.x + 1.0) / 2.0 * 640.0;
            const double py = (1.0 - ndc.y) / 2.0 * 480.0;
            PickRay ray;
            ASSERT_TRUE(RayThroughPixel(view, projection, static_cast<int>(px), static_cast<int>(py),
                                        640, 480, ray));
            // Distance of the point from the ray, relative to its distance
            // along it: within a pixel's angle.
            double toPoint[3] = {point.x - ray.origin[0], point.y - ray.origin[1], point.z - ray.origin[2]};
            const double *d = ray.direction;
            const double length = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
            const double along = (toPoint[0] * d[0] + toPoint[1] * d[1] + toPoint[2] * d[2]) / length;
            const double cross[3] = {toPoint[1] * d[2] - toPoint[2] * d[1], toPoint[2] * d[0] - toPoint[0] * d[2],
                                     toPoint[0] * d[1] - toPoint[1] * d[0]};
            const double off = std::sqrt(cross[0] * cross[0] + cross[1] * cross[1] + cross[2] * cross[2]) / length;
            EXPECT_GT(along, 0.0) << rightHanded;
            EXPECT_LT(off / along, 0.003) << rightHanded << " " << point.x;
        }
        PickRay ray;
        EXPECT_FALSE(RayThroughPixel(view, projection, 0, 0, 0, 480, ray));
    }
}

TEST(Picking, NearestHitSeesPlacedScaledAndRotatedPartsAndNothingFlat) {
    const PickMesh square = BuildPickMesh(Square(10.0f));
    ASSERT_EQ(square.corners.size(), 6u);
    // A ray along +z through (3, 4).
    const PickRay ray{{3, 4, -100}, {0, 0, 200}};
    double t = 0;
    EXPECT_TRUE(NearestHit(ray, BuildPoseMatrix(1, 1, 1, 0, 0, 0, 0, 0, 0), square, t));
    EXPECT_NEAR(t, 0.5, 1e-6);
    EXPECT_TRUE(NearestHit(ray, BuildPoseMatrix(1, 1, 1, 0, 0, 0, 0, 0, 50), square, t));
    EXPECT_NEAR(t, 0.75, 1e-6);
    // Moved aside, shrunk below the ray, or turned edge-on: missed.
    EXPECT_FALSE(NearestHit(ray, BuildPoseMatrix(1, 1, 1, 0, 0, 0, 20, 0, 0), square, t));
    EXPECT_FALSE(NearestHit(ray, BuildPoseMatrix(0.2, 0.2, 1, 0, 0, 0, 0, 0, 0), square, t));
    EXPECT_FALSE(NearestHit(ray, BuildPoseMatrix(1, 1, 1, 0, 90, 0, 0, 0, 0), square, t));
    // Scaled up it reaches the ray; turned about z it still covers it.
    EXPECT_TRUE(NearestHit({{15, 4, -100}, {0, 0, 200}}, BuildPoseMatrix(2, 1, 1, 0, 0, 0, 0, 0, 0), square, t));
    EXPECT_TRUE(NearestHit(ray, BuildPoseMatrix(1, 1, 1, 0, 0, 45, 0, 0, 0), square, t));
    // Scale 0 flattens the part to nothing; a ray pointing away never hits.
    EXPECT_FALSE(NearestHit(ray, BuildPoseMatrix(0, 0, 0, 0, 0, 0, 0, 0, 0), square, t));
    EXPECT_FALSE(NearestHit({{3, 4, -100}, {0, 0, -200}}, BuildPoseMatrix(1, 1, 1, 0, 0, 0, 0, 0, 0), square, t));
    // Indices beyond the vertices are left out.
    MeshData damaged = Square(10.0f);
    damaged.indices[5] = 99;
    EXPECT_EQ(BuildPickMesh(damaged).corners.size(), 3u);
}

TEST_F(RendererTest, PickPositionFindsTheNearestPartUnderThePixel) {
    fakes::FakeAssets::meshes[".\\square.x"] = Square(10.0f);
    fakes::SceneBuilder builder;
    builder.Part(".\\square.x").Part(".\\square.x").Motion("m").Frame("f");
    // Position 0 at the origin, position 1 in front of it (nearer the eye at
    // +z), position 2 off to the side.
    PositionEntry back = fakes::UnitPosition(0), front = fakes::UnitPosition(1), side = fakes::UnitPosition(0);
    front.translation = {0, 0, 50};
    side.translation = {200, 0, 0};
    builder.Position(back).Position(front).Position(side);
    builder.partMeshes.push_back(renderer.LoadPartMesh(".\\square.x"));
    builder.partMeshes.push_back(renderer.LoadPartMesh(".\\square.x"));
    renderer.SetBackBufferSize(640, 480);
    renderer.ApplyViewSettings(2, 0, 7);
    renderer.SetViewCamera(0, 0, 300);
    const SceneDocument scene = builder.Build();
    EXPECT_EQ(renderer.PickPosition(scene, 320, 240), 1);
    EXPECT_EQ(renderer.PickPosition(scene, 5, 5), -1);
    // Hidden behind nothing once the front one moves away.
    builder.document.motions[0].frames[0].positions[1].translation.x = -200;
    EXPECT_EQ(renderer.PickPosition(scene, 320, 240), 0);
}

}  // namespace
