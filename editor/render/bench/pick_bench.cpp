// One pick (SceneRenderer::PickPosition) on a figure of 100 parts of 1,000
// triangles each, against a baseline that tests the same ray against every
// triangle of every part with no bounding-box rejection.
#include <cmath>
#include <limits>

#include "bench_api.h"
#include "bench_device.h"
#include "bench_scene.h"
#include "render/fakes/scene_builder.h"
#include "render/pose.h"
#include "render/scene_renderer.h"

namespace {

using namespace morvel::render;


struct Figure {
    Figure() : renderer(bench::BenchDeviceFactory()) {
        renderer.InitDevice(bench::BenchWindow());
        renderer.SetPresentRect({0, 0, 640, 480});
        renderer.SetBackBufferSize(640, 480);
        renderer.ApplyViewSettings(2, 0, 7);
        renderer.SetViewCamera(20, 30, 300);
        builder.Motion("m").Frame("f");
        for (int i = 0; i < 100; ++i) {
            builder.Part("part.x");
            PositionEntry position = fakes::UnitPosition(static_cast<int16_t>(i));
            position.translation = {(i % 10 - 4.5) * 22.0, (i / 10 - 4.5) * 22.0, (i % 7) * 3.0};
            position.rotation = {static_cast<int16_t>(i * 7), static_cast<int16_t>(i * 3), 0};
            builder.Position(position);
            auto part = std::make_unique<PartMesh>();
            const morvel::formats::xfile::MeshData data = bench::SphereMesh(25, 21);  // 1,000 triangles
            part->pickMesh = BuildPickMesh(data);
            d3dx::ID3DXMesh::Create(*renderer.Device(), morvel::meshopt::kManaged, data, DefaultAssetLoaders(),
                                    part->mesh);
            builder.partMeshes.push_back(std::move(part));
        }
        scene = std::make_unique<SceneDocument>(builder.Build());
    }
    SceneRenderer renderer;
    fakes::SceneBuilder builder;
    std::unique_ptr<SceneDocument> scene;
};

Figure &Shared() {
    static Figure figure;
    return figure;
}

// Pixels on a 4 x 4 grid over the view: hits on the figure and misses.
int PixelX(int64_t i) { return 40 + static_cast<int>(i % 4) * 180; }
int PixelY(int64_t i) { return 30 + static_cast<int>((i / 4) % 4) * 140; }

void BM_PickPosition(benchmark::State &state) {
    Figure &f = Shared();
    int64_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.renderer.PickPosition(*f.scene, PixelX(i), PixelY(i)));
        ++i;
    }
}

void BM_BaselineEveryTriangle(benchmark::State &state) {
    Figure &f = Shared();
    // The same meshes with boxes that reject nothing.
    PickMesh open = static_cast<const PartMesh &>(*f.builder.partMeshes[0]).pickMesh;
    const float infinity = std::numeric_limits<float>::infinity();
    open.low = {-infinity, -infinity, -infinity};
    open.high = {infinity, infinity, infinity};
    const FrameEntry &frame = f.builder.document.motions[0].frames[0];
    int64_t i = 0;
    for (auto _ : state) {
        PickRay ray;
        RayThroughPixel(f.renderer.ViewMatrix(), f.renderer.ProjectionMatrix(), PixelX(i), PixelY(i),
                        640, 480, ray);
        double nearest = infinity;
        for (int p = 0; p < frame.positionCount; ++p) {
            double t;
            if (NearestHit(ray, BuildPoseMatrix(frame.positions[p]), open, t) && t < nearest) nearest = t;
        }
        benchmark::DoNotOptimize(nearest);
        ++i;
    }
}

BENCHMARK(BM_BaselineEveryTriangle)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PickPosition)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
