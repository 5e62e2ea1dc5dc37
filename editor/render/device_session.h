// The Direct3D object and device of the view: creation with the hardware,
// software and reference fallbacks, the presentation parameters, resets
// after a resize or a lost device, and the frame's begin and end.
#pragma once

#include <cstdint>
#include <memory>

#include "render/render_device.h"

namespace morvel::render {

// Init results.
enum InitDeviceResult : int {
    kInitHalHardware = 0,
    kInitHalSoftware = 1,
    kInitRefSoftware = 2,
    kInitFailed = -1,
};

class DeviceSession {
public:
    explicit DeviceSession(RenderSystemFactory direct3DCreate8)
        : direct3DCreate8_(std::move(direct3DCreate8)) {}
    ~DeviceSession() { Release(); }
    DeviceSession(const DeviceSession &) = delete;
    DeviceSession &operator=(const DeviceSession &) = delete;

    // The window the device presents into, when it is not the focus window
    // Init is given; set before Init. None by default.
    void SetDeviceWindow(void *window) { deviceWindow_ = window; }
    // Creates the device (one of the InitDeviceResult values) and sets the
    // texture stage states every draw relies on.
    int Init(void *focusWindow);
    void Release();
    bool HasDevice() const { return system_ && device_; }
    RenderDevice *Device() { return device_.get(); }

    void SetPresentRect(const Rect &rect) { presentRect_ = rect; }
    const Rect &PresentRect() const { return presentRect_; }
    // Set before Init, the size the device's back buffer is made with.
    void SetBackBufferSize(uint32_t width, uint32_t height);
    // The device's back buffer has the size last set (a reset would change nothing).
    bool BackBufferHasSize() const;
    const PresentParameters &PresentationParameters() const { return presentParameters_; }

    // Reset with the stored presentation parameters.
    HResult Reset();

    // Whether the device can draw now; a device lost to another application
    // is reset here (then `wasReset` is set and the caller applies its view
    // again) instead of every frame failing until the window is resized.
    bool ReadyToDraw(bool &wasReset);

    // Ends the scene and presents it into the present rectangle.
    bool EndFrame();

    // The D3DCULL value the device holds: the default after creation and
    // reset, then what the view settings set.
    uint32_t CullState() const { return cullState_; }
    void SetCullState(uint32_t state) { cullState_ = state; }

private:
    RenderSystemFactory direct3DCreate8_;
    void *deviceWindow_ = nullptr;
    std::unique_ptr<RenderSystem> system_;
    std::unique_ptr<RenderDevice> device_;
    PresentParameters presentParameters_{};
    Rect presentRect_{0, 0, 0, 0};
    uint32_t cullState_ = kCullCounterClockwise;
    uint32_t deviceWidth_ = 0, deviceHeight_ = 0;  // of the back buffer made; 0 when not known
};

}  // namespace morvel::render
