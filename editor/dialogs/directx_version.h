// The DirectX version the version dialog reports: the components are probed
// one after another in the order of their releases, and the first that is
// missing ends the probe. The decisions (what each step is worth, which
// debug text it leaves, what is given back when) are made here; the platform
// side only loads, creates and releases.
#pragma once

#include <cstdint>

namespace morvel::dialogs {

enum class DirectXStep : int {
    LoadDirectDraw = 1,      // the library "DDRAW.DLL"
    FindDirectDrawCreate,    // "DirectDrawCreate" in it
    CreateDirectDraw,        // a DirectDraw object of the default display driver
    QueryDirectDraw2,        // IID_IDirectDraw2 of that object
    LoadDirectInput,         // the library "DINPUT.DLL"
    FindDirectInputCreate,   // "DirectInputCreateA" in it
    SetCooperativeLevel,     // normal, without a window
    CreatePrimarySurface,    // only the capabilities valid: primary surface
    QuerySurface3,           // IID_IDirectDrawSurface3 of the surface
    QuerySurface4,           // IID_IDirectDrawSurface4 of the surface
    CreateDirectMusic,       // COM initialised, CLSID_DirectMusic in-process
    FindDirectDrawCreateEx,  // "DirectDrawCreateEx" in the DirectDraw library
    CreateDirectDraw7,       // through it, IID_IDirectDraw7
    LoadDirect3D8,           // the library "D3D8.DLL"
};
constexpr int kDirectXStepCount = 14;

// What the probe gives back as soon as it no longer needs it.
enum class DirectXRelease {
    DirectInputLibrary,
    SurfaceAndDirectDraw,
    DirectMusicAndCom,  // the object, then COM uninitialised
    DirectDraw7,
};

// The platform's DirectX components. Each step works on what the earlier
// steps made and keeps what it makes (an object, a library, COM) until it is
// released.
class DirectXComponents {
public:
    virtual ~DirectXComponents() = default;
    // True when the step worked.
    virtual bool Run(DirectXStep step) = 0;
    virtual void Release(DirectXRelease what) = 0;
    // Releases every object still held, uninitialises COM if this probe
    // initialised it, frees every library still loaded.
    virtual void ReleaseAll() = 0;
    // The debugger output (never shown to the user).
    virtual void DebugText(const char *text) = 0;
};

// 0 when no usable DirectX was found; else the major version in bits 8 to
// 15 and the minor in bits 0 to 7 (0x601 is 6.1). Keeps nothing on any path.
uint32_t DetectDirectXVersion(DirectXComponents &components);

inline int DirectXMajor(uint32_t version) {
    return static_cast<int>((version >> 8) & 0xFF);
}
inline int DirectXMinor(uint32_t version) {
    return static_cast<int>(version & 0xFF);
}

}  // namespace morvel::dialogs
