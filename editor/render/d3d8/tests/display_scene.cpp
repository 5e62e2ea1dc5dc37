#include "display_scene.h"

#include "render/d3d8/d3d8_render_device.h"

namespace morvel::render::d3d8 {
namespace {

HWND CreateSceneWindow(int width, int height) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "MorvelRenderDisplay";
    RegisterClassA(&wc);
    RECT r = {0, 0, width, height};
    AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
    HWND window = CreateWindowA("MorvelRenderDisplay", "render", WS_OVERLAPPEDWINDOW, 0, 0,
                                r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                                wc.hInstance, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    displaytest::PumpMessages();
    return window;
}

}  // namespace

DisplayScene::DisplayScene(int clientWidth, int clientHeight)
    : renderer(Direct3DCreate8), module(GetModuleHandleA(nullptr)) {
    window = CreateSceneWindow(clientWidth, clientHeight);
    initResult = renderer.InitDevice(window);
    if (!ready()) return;
    renderer.SetTextRasterizer(&text);
    RECT client;
    GetClientRect(window, &client);
    renderer.SetPresentRect({client.left, client.top, client.right, client.bottom});
    renderer.LoadLabelTextures(&module);
}

DisplayScene::~DisplayScene() {
    renderer.ReleaseDevice();
    if (window) DestroyWindow(window);
}

void DisplayScene::Resize(int clientWidth, int clientHeight) {
    RECT r = {0, 0, clientWidth, clientHeight};
    AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
    SetWindowPos(window, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOMOVE);
    displaytest::PumpMessages();
    RECT client;
    GetClientRect(window, &client);
    renderer.SetPresentRect({client.left, client.top, client.right, client.bottom});
    renderer.SetBackBufferSize(static_cast<uint32_t>(client.right),
                               static_cast<uint32_t>(client.bottom));
    renderer.ResetAfterResize();
}

displaytest::Capture DisplayScene::Draw(const SceneDocument &scene, const SceneFlags &flags) {
    // Under Wine the screen shows a windowed present one present late, so
    // the frame goes out twice before the capture.
    for (int i = 0; i < 2; ++i) {
        renderer.DrawFrame(scene, flags);
        displaytest::PumpMessages(100);
    }
    return displaytest::CaptureClientArea(window);
}

}  // namespace morvel::render::d3d8
