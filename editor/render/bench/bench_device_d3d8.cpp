#include <windows.h>

#include "bench_device.h"
#include "render/d3d8/d3d8_render_device.h"

namespace morvel::render::bench {

RenderSystemFactory BenchDeviceFactory() { return d3d8::Direct3DCreate8; }

void *BenchWindow() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "MorvelRenderBench";
    RegisterClassA(&wc);
    RECT r = {0, 0, 640, 480};
    AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
    HWND window = CreateWindowA("MorvelRenderBench", "render bench", WS_OVERLAPPEDWINDOW, 0, 0,
                                r.right - r.left, r.bottom - r.top, nullptr, nullptr, wc.hInstance,
                                nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    return window;
}

}  // namespace morvel::render::bench
