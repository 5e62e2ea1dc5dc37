// DrawFrame of 100 positions of a 1,984-triangle part against a baseline
// that issues the same device calls from precomputed matrices and
// materials. Natively the device draws nothing, so the ratio is the
// renderer's own overhead; under Wine the device is Direct3D 8.
#include "bench_api.h"
#include "bench_device.h"
#include "bench_scene.h"

namespace {

using namespace morvel::render;

struct Fixture {
    Fixture() : renderer(bench::BenchDeviceFactory()) {
        renderer.InitDevice(bench::BenchWindow());
        renderer.SetPresentRect({0, 0, 640, 480});
        renderer.SetViewCamera(0, 0, 300);
        renderer.ApplyViewSettings(2, 0, 7);
        scene = bench::MakeBenchScene(renderer);
    }
    SceneRenderer renderer;
    std::unique_ptr<bench::BenchScene> scene;
};

Fixture &Shared() {
    static Fixture fixture;
    return fixture;
}

void BM_DrawFrame(benchmark::State &state) {
    Fixture &f = Shared();
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.renderer.DrawFrame(*f.scene->scene, SceneFlags{3, 1}));
    }
    state.SetItemsProcessed(state.iterations() * 100);
}

void BM_BaselineSameCalls(benchmark::State &state) {
    Fixture &f = Shared();
    bench::BaselineFrame baseline(*f.scene, f.renderer);
    for (auto _ : state) {
        benchmark::DoNotOptimize(baseline.Draw(*f.renderer.Device()));
    }
    state.SetItemsProcessed(state.iterations() * 100);
}

BENCHMARK(BM_BaselineSameCalls)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
