// The baseline of the start-up benchmark: the least a Direct3D 8 program
// does before its first frame is on screen (a 640 x 480 window, a device,
// one clear and present). Its title then says so, and it waits to be closed.
#include <windows.h>
#include <d3d8.h>

namespace {

LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.lpszClassName = "MinimalD3D8";
    RegisterClassA(&wc);
    RECT r{0, 0, 640, 480};
    AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
    HWND window = CreateWindowA("MinimalD3D8", "starting", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                                instance, nullptr);
    ShowWindow(window, show);
    using Create8 = IDirect3D8 *(WINAPI *)(UINT);
    auto create = reinterpret_cast<Create8>(
        reinterpret_cast<void *>(GetProcAddress(LoadLibraryA("d3d8.dll"), "Direct3DCreate8")));
    IDirect3D8 *d3d = create ? create(D3D_SDK_VERSION) : nullptr;
    if (d3d == nullptr) return 1;
    D3DDISPLAYMODE mode;
    d3d->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode);
    D3DPRESENT_PARAMETERS parameters{};
    parameters.Windowed = TRUE;
    parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    parameters.BackBufferFormat = mode.Format;
    parameters.BackBufferCount = 1;
    parameters.EnableAutoDepthStencil = TRUE;
    parameters.AutoDepthStencilFormat = D3DFMT_D16;
    IDirect3DDevice8 *device = nullptr;
    if (FAILED(d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window,
                                 D3DCREATE_HARDWARE_VERTEXPROCESSING, &parameters, &device))) {
        return 1;
    }
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xC8283048, 1.0f, 0);
    device->BeginScene();
    device->EndScene();
    device->Present(nullptr, nullptr, nullptr, nullptr);
    SetWindowTextA(window, "presented");
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    device->Release();
    d3d->Release();
    return 0;
}
