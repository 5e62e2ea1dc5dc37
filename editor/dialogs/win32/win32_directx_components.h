// The DirectX components of this machine, for the version dialog's probe:
// the libraries by name, the DirectDraw objects and surface, DirectMusic
// through COM. Holds what the steps made until it is released; its
// destructor releases whatever is left.
#pragma once

#include <unknwn.h>
#include <windows.h>

#include "dialogs/directx_version.h"

struct IDirectDraw;
struct IDirectDrawSurface;

namespace morvel::dialogs::win32 {

class Win32DirectXComponents : public DirectXComponents {
public:
    Win32DirectXComponents() = default;
    Win32DirectXComponents(const Win32DirectXComponents &) = delete;
    Win32DirectXComponents &operator=(const Win32DirectXComponents &) = delete;
    ~Win32DirectXComponents() override { ReleaseAll(); }

    bool Run(DirectXStep step) override;
    void Release(DirectXRelease what) override;
    void ReleaseAll() override;
    void DebugText(const char *text) override;

private:
    bool CreateDirectDraw();
    bool CreatePrimarySurface();
    bool CreateDirectMusic();
    bool CreateDirectDraw7();
    void ReleaseSurfaceAndDirectDraw();
    void ReleaseDirectMusicAndCom();

    HMODULE directDrawLibrary_ = nullptr;
    HMODULE directInputLibrary_ = nullptr;
    HMODULE direct3D8Library_ = nullptr;
    FARPROC directDrawCreate_ = nullptr;
    FARPROC directDrawCreateEx_ = nullptr;
    IDirectDraw *directDraw_ = nullptr;
    IDirectDrawSurface *surface_ = nullptr;
    IUnknown *directMusic_ = nullptr;
    IUnknown *directDraw7_ = nullptr;
    bool comInitialised_ = false;
};

}  // namespace morvel::dialogs::win32
