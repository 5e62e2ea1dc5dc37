// A window with the renderer on a real Direct3D 8 device, and a one-part
// document, for the display tests.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "render/d3d8/gdi_text_rasterizer.h"
#include "render/d3d8/win32_resource_module.h"
#include "render/fakes/scene_builder.h"
#include "render/scene_renderer.h"
#include "window_capture.h"

namespace morvel::render::d3d8 {

class DisplayScene {
public:
    DisplayScene(int clientWidth, int clientHeight);
    ~DisplayScene();

    bool ready() const { return initResult == kInitHalHardware || initResult == kInitHalSoftware ||
                                 initResult == kInitRefSoftware; }
    // The window layer's resize: bars are absent, the view is the whole client.
    void Resize(int clientWidth, int clientHeight);
    // Draws and waits until the window system has shown the frame.
    displaytest::Capture Draw(const SceneDocument &scene, const SceneFlags &flags);

    HWND window = nullptr;
    int initResult = kInitFailed;
    SceneRenderer renderer;
    GdiTextRasterizer text;
    Win32ResourceModule module;
};

}  // namespace morvel::render::d3d8
