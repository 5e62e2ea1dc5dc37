#include "dialogs/win32/win32_directx_components.h"

#include <ddraw.h>
#include <dmusicc.h>
#include <objbase.h>

#include "app/win32/system_functions.h"

namespace morvel::dialogs::win32 {

namespace {

using DirectDrawCreateProc = HRESULT(WINAPI *)(GUID *, IDirectDraw **, IUnknown *);
using DirectDrawCreateExProc = HRESULT(WINAPI *)(GUID *, void **, REFIID, IUnknown *);

// The surface description has 108 bytes in 32-bit programs; a 64-bit
// DirectDraw wants its own size (a pointer field is wider) and refuses any
// other.
#ifndef _WIN64
static_assert(sizeof(DDSURFACEDESC) == 108, "DDSURFACEDESC");
#endif

template <typename Interface>
void ReleaseObject(Interface *&object) {
    if (object != nullptr) object->Release();
    object = nullptr;
}

void Unload(HMODULE &module) {
    if (module != nullptr) FreeLibrary(module);
    module = nullptr;
}

// Whether object answers for iid; the answer is released at once.
template <typename Interface>
bool Answers(Interface *object, REFIID iid) {
    if (object == nullptr) return false;
    IUnknown *answer = nullptr;
    if (FAILED(object->QueryInterface(iid, reinterpret_cast<void **>(&answer))) || !answer) {
        return false;
    }
    answer->Release();
    return true;
}

bool Load(HMODULE &module, const char *name) {
    module = LoadLibraryA(name);
    return module != nullptr;
}

bool Find(HMODULE module, const char *name, FARPROC &entry) {
    entry = module != nullptr ? GetProcAddress(module, name) : nullptr;
    return entry != nullptr;
}

}  // namespace

bool Win32DirectXComponents::Run(DirectXStep step) {
    FARPROC directInputCreate = nullptr;
    switch (step) {
        case DirectXStep::LoadDirectDraw:
            return Load(directDrawLibrary_, "DDRAW.DLL");
        case DirectXStep::FindDirectDrawCreate:
            return Find(directDrawLibrary_, "DirectDrawCreate", directDrawCreate_);
        case DirectXStep::CreateDirectDraw:
            return CreateDirectDraw();
        case DirectXStep::QueryDirectDraw2:
            return Answers(directDraw_, IID_IDirectDraw2);
        case DirectXStep::LoadDirectInput:
            return Load(directInputLibrary_, "DINPUT.DLL");
        case DirectXStep::FindDirectInputCreate:
            return Find(directInputLibrary_, "DirectInputCreateA", directInputCreate);
        case DirectXStep::SetCooperativeLevel:
            return directDraw_ != nullptr &&
                   SUCCEEDED(directDraw_->SetCooperativeLevel(nullptr, DDSCL_NORMAL));
        case DirectXStep::CreatePrimarySurface:
            return CreatePrimarySurface();
        case DirectXStep::QuerySurface3:
            return Answers(surface_, IID_IDirectDrawSurface3);
        case DirectXStep::QuerySurface4:
            return Answers(surface_, IID_IDirectDrawSurface4);
        case DirectXStep::CreateDirectMusic:
            return CreateDirectMusic();
        case DirectXStep::FindDirectDrawCreateEx:
            return Find(directDrawLibrary_, "DirectDrawCreateEx", directDrawCreateEx_);
        case DirectXStep::CreateDirectDraw7:
            return CreateDirectDraw7();
        case DirectXStep::LoadDirect3D8:
            return Load(direct3D8Library_, "D3D8.DLL");
    }
    return false;
}

bool Win32DirectXComponents::CreateDirectDraw() {
    if (directDrawCreate_ == nullptr) return false;
    auto create =
        reinterpret_cast<DirectDrawCreateProc>(reinterpret_cast<void *>(directDrawCreate_));
    if (FAILED(create(nullptr, &directDraw_, nullptr))) directDraw_ = nullptr;
    return directDraw_ != nullptr;
}

bool Win32DirectXComponents::CreatePrimarySurface() {
    if (directDraw_ == nullptr) return false;
    DDSURFACEDESC description{};
    description.dwSize = sizeof description;
    description.dwFlags = DDSD_CAPS;
    description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    if (FAILED(directDraw_->CreateSurface(&description, &surface_, nullptr))) surface_ = nullptr;
    return surface_ != nullptr;
}

bool Win32DirectXComponents::CreateDirectMusic() {
    if (!comInitialised_) {
        // S_FALSE (already initialised on this thread) counts too and must
        // be balanced as well.
        auto *initialise = app::win32::System<decltype(CoInitialize)>("ole32.dll", "CoInitialize");
        if (initialise == nullptr || FAILED(initialise(nullptr))) return false;
        comInitialised_ = true;
    }
    auto *create = app::win32::System<decltype(CoCreateInstance)>("ole32.dll", "CoCreateInstance");
    if (create == nullptr ||
        FAILED(create(CLSID_DirectMusic, nullptr, CLSCTX_INPROC_SERVER, IID_IDirectMusic,
                      reinterpret_cast<void **>(&directMusic_)))) {
        directMusic_ = nullptr;
    }
    return directMusic_ != nullptr;
}

bool Win32DirectXComponents::CreateDirectDraw7() {
    if (directDrawCreateEx_ == nullptr) return false;
    auto create =
        reinterpret_cast<DirectDrawCreateExProc>(reinterpret_cast<void *>(directDrawCreateEx_));
    if (FAILED(
            create(nullptr, reinterpret_cast<void **>(&directDraw7_), IID_IDirectDraw7, nullptr))) {
        directDraw7_ = nullptr;
    }
    return directDraw7_ != nullptr;
}

void Win32DirectXComponents::ReleaseSurfaceAndDirectDraw() {
    ReleaseObject(surface_);
    ReleaseObject(directDraw_);
}

void Win32DirectXComponents::ReleaseDirectMusicAndCom() {
    ReleaseObject(directMusic_);
    if (comInitialised_) {
        // Unloads the DirectMusic library now rather than whenever COM
        // ends on this thread, which may be much later if another part of
        // the program keeps COM initialised.
        auto *freeUnused = app::win32::System<decltype(CoFreeUnusedLibraries)>(
            "ole32.dll", "CoFreeUnusedLibraries");
        auto *uninitialise =
            app::win32::System<decltype(CoUninitialize)>("ole32.dll", "CoUninitialize");
        if (freeUnused != nullptr) freeUnused();
        if (uninitialise != nullptr) uninitialise();
        comInitialised_ = false;
    }
}

void Win32DirectXComponents::Release(DirectXRelease what) {
    switch (what) {
        case DirectXRelease::DirectInputLibrary:
            Unload(directInputLibrary_);
            break;
        case DirectXRelease::SurfaceAndDirectDraw:
            ReleaseSurfaceAndDirectDraw();
            break;
        case DirectXRelease::DirectMusicAndCom:
            ReleaseDirectMusicAndCom();
            break;
        case DirectXRelease::DirectDraw7:
            ReleaseObject(directDraw7_);
            break;
    }
}

void Win32DirectXComponents::ReleaseAll() {
    // Objects before the libraries that hold their code.
    ReleaseObject(directDraw7_);
    ReleaseDirectMusicAndCom();
    ReleaseSurfaceAndDirectDraw();
    directDrawCreate_ = nullptr;
    directDrawCreateEx_ = nullptr;
    Unload(direct3D8Library_);
    Unload(directInputLibrary_);
    Unload(directDrawLibrary_);
}

void Win32DirectXComponents::DebugText(const char *text) {
    OutputDebugStringA(text);
}

}  // namespace morvel::dialogs::win32
