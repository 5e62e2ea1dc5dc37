// Proves the Windows display tier: code page 932, a real window, Direct3D 8
// loaded at run time, a device with the editor's fallback order, and the
// presented pixels read back from the screen.
#include <gtest/gtest.h>
#include <windows.h>
#include <d3d8.h>

#include "window_capture.h"

namespace {

using Direct3DCreate8Fn = IDirect3D8 *(WINAPI *)(UINT);

HWND CreateTestWindow(int width, int height) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "MorvelDisplayTier";
    RegisterClassA(&wc);
    RECT r = {0, 0, width, height};
    AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
    HWND window = CreateWindowA("MorvelDisplayTier", "display tier", WS_OVERLAPPEDWINDOW, 0, 0,
                                r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                                wc.hInstance, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    morvel::displaytest::PumpMessages();
    return window;
}

// HAL with hardware vertex processing, then HAL with software, then the
// reference rasteriser: the order the editor tries.
IDirect3DDevice8 *CreateDeviceWithFallback(IDirect3D8 *d3d, HWND window,
                                           D3DPRESENT_PARAMETERS &pp, int &used) {
    const struct {
        D3DDEVTYPE type;
        DWORD flags;
    } attempts[] = {{D3DDEVTYPE_HAL, D3DCREATE_HARDWARE_VERTEXPROCESSING},
                    {D3DDEVTYPE_HAL, D3DCREATE_SOFTWARE_VERTEXPROCESSING},
                    {D3DDEVTYPE_REF, D3DCREATE_SOFTWARE_VERTEXPROCESSING}};
    for (used = 0; used < 3; ++used) {
        IDirect3DDevice8 *device = nullptr;
        if (d3d->CreateDevice(D3DADAPTER_DEFAULT, attempts[used].type, window,
                              attempts[used].flags, &pp, &device) == D3D_OK) {
            return device;
        }
    }
    used = -1;
    return nullptr;
}

TEST(DisplayTier, AnsiCodePageIs932) { EXPECT_EQ(GetACP(), 932u); }

TEST(DisplayTier, Direct3D8DeviceClearsAndPresents) {
    HWND window = CreateTestWindow(160, 120);
    ASSERT_NE(window, nullptr);
    HMODULE d3d8 = LoadLibraryA("d3d8.dll");
    ASSERT_NE(d3d8, nullptr);
    auto create = reinterpret_cast<Direct3DCreate8Fn>(
        reinterpret_cast<void *>(GetProcAddress(d3d8, "Direct3DCreate8")));
    ASSERT_NE(create, nullptr);
    IDirect3D8 *d3d = create(220);
    ASSERT_NE(d3d, nullptr);

    D3DDISPLAYMODE mode;
    ASSERT_EQ(d3d->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode), D3D_OK);
    D3DPRESENT_PARAMETERS pp = {};
    pp.Windowed = TRUE;
    pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
    pp.BackBufferFormat = mode.Format;
    pp.BackBufferCount = 1;
    pp.EnableAutoDepthStencil = TRUE;
    pp.AutoDepthStencilFormat = D3DFMT_D16;
    int used = -1;
    IDirect3DDevice8 *device = CreateDeviceWithFallback(d3d, window, pp, used);
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(used, 0) << "Wine on llvmpipe offers a HAL device with hardware vertex processing";

    const D3DCOLOR colour = D3DCOLOR_XRGB(0x20, 0x80, 0xC0);
    ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, colour, 1.0f, 0),
              D3D_OK);
    ASSERT_EQ(device->BeginScene(), D3D_OK);
    ASSERT_EQ(device->EndScene(), D3D_OK);
    ASSERT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    morvel::displaytest::PumpMessages();

    const morvel::displaytest::Capture shown = morvel::displaytest::CaptureClientArea(window);
    ASSERT_EQ(shown.width, 160);
    ASSERT_EQ(shown.height, 120);
    EXPECT_EQ(shown.At(80, 60), colour & 0x00FFFFFF);
    EXPECT_EQ(shown.At(0, 0), colour & 0x00FFFFFF);
    EXPECT_EQ(shown.At(159, 119), colour & 0x00FFFFFF);
    morvel::displaytest::SavePng(shown, MORVEL_BUILD_DIR "/display_tier_clear.png");

    device->Release();
    d3d->Release();
    DestroyWindow(window);
}

}  // namespace
