// One drag step in translate mode on the robot, under Wine on Direct3D 8:
// the mouse move through MouseMove (the pose step, DrawFrame and the status
// texts), against DrawFrame of the same document alone. The ratio of the
// two is the renderer's share of a step.
#include <windows.h>

#include <cstdio>

#include "app/editor.h"
#include "app/editor_scene.h"
#include "app/fakes/fake_clock.h"
#include "app/fakes/fake_key_store.h"
#include "app/fakes/fake_shell.h"
#include "app/pose_editing.h"
#include "bench_api.h"
#include "bench_device.h"
#include "render/d3d8/gdi_text_rasterizer.h"

namespace {

using namespace morvel;

struct NoDialogs : app::DialogFactory {
    std::unique_ptr<app::DialogController> Create(const std::string &, app::Editor &) override {
        return nullptr;
    }
};

struct Fixture {
    Fixture() : renderer(render::bench::BenchDeviceFactory()), editor(shell, keys, renderer, dialogs, nullptr, clock) {
        renderer.SetTextRasterizer(&text);
        renderer.InitDevice(render::bench::BenchWindow());
        renderer.SetPresentRect({0, 31, 640, 460});
        renderer.ApplyViewSettings(2, 0, 7);
        // The robot's parts are named relative to its folder.
        SetCurrentDirectoryA(MORVEL_ROBOT_DIR);
        loaded = document::LoadDocument(editor.state.currentDocument, "robot.mvl", "", renderer);
        const MotionFileHeader &h = editor.state.currentDocument.document.header;
        renderer.SetViewCamera(h.cameraElevation, h.cameraAzimuth, h.cameraDistance);
        editor.state.scene.sceneReady = 1;
        app::SetEditMode(editor, app::kModeTranslate);
        app::LeftButtonDown(editor, 300, 200);
    }
    app::fakes::FakeShell shell;
    app::fakes::FakeKeyStore keys;
    NoDialogs dialogs;
    render::d3d8::GdiTextRasterizer text;
    render::SceneRenderer renderer;
    app::fakes::FakeClock clock;
    app::Editor editor;
    int loaded = -1;
};

Fixture &Shared() {
    static Fixture fixture;
    return fixture;
}

void BM_DragStepTranslate(benchmark::State &state) {
    Fixture &f = Shared();
    if (f.loaded != 0) std::fprintf(stderr, "robot.mvl did not load: %d\n", f.loaded);
    int32_t x = 300;
    for (auto _ : state) {
        x = x == 300 ? 304 : 300;  // 4 pixels: one unit of translation X each way
        app::MouseMove(f.editor, {true, false}, x, 200);
    }
}

void BM_DrawFrameOnly(benchmark::State &state) {
    Fixture &f = Shared();
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            f.renderer.DrawFrame(render::SceneOf(f.editor.state.currentDocument), f.editor.state.scene));
    }
}

BENCHMARK(BM_DrawFrameOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DragStepTranslate)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
