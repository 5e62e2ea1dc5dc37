#include "render/device_session.h"

namespace morvel::render {

int DeviceSession::Init(void *focusWindow) {
    Release();
    if (direct3DCreate8_) system_ = direct3DCreate8_(kSdkVersion);
    if (!system_) return kInitFailed;

    DisplayMode mode{};
    if (system_->GetAdapterDisplayMode(kDefaultAdapter, mode) != hr::kOk) {
        system_.reset();
        return kInitFailed;
    }

    // A size set before Init makes the back buffer; none takes the window's.
    const uint32_t width = presentParameters_.BackBufferWidth, height = presentParameters_.BackBufferHeight;
    presentParameters_ = PresentParameters{};
    presentParameters_.BackBufferWidth = width;
    presentParameters_.BackBufferHeight = height;
    presentParameters_.Windowed = 1;
    presentParameters_.SwapEffect = kSwapEffectDiscard;
    presentParameters_.BackBufferFormat = mode.Format;
    presentParameters_.BackBufferCount = 1;
    presentParameters_.EnableAutoDepthStencil = 1;
    presentParameters_.AutoDepthStencilFormat = kFormatD16;
    presentParameters_.hDeviceWindow = deviceWindow_;

    struct Attempt {
        uint32_t deviceType, behavior;
        int result;
    };
    static constexpr Attempt kAttempts[] = {
        {kDeviceTypeHal, kCreateHardwareVertexProcessing, kInitHalHardware},
        {kDeviceTypeHal, kCreateSoftwareVertexProcessing, kInitHalSoftware},
        {kDeviceTypeRef, kCreateSoftwareVertexProcessing, kInitRefSoftware},
    };
    int created = kInitFailed;
    for (const Attempt &attempt : kAttempts) {
        if (system_->CreateDevice(kDefaultAdapter, attempt.deviceType, focusWindow,
                                  attempt.behavior, presentParameters_, device_) == hr::kOk &&
            device_) {
            created = attempt.result;
            break;
        }
        device_.reset();
    }
    if (created == kInitFailed) {
        system_.reset();
        return kInitFailed;
    }
    cullState_ = kCullCounterClockwise;
    deviceWidth_ = width;
    deviceHeight_ = height;

    const uint32_t stageStates[][2] = {
        {tss::kColorOp, kTopModulate}, {tss::kColorArg1, kTaTexture}, {tss::kColorArg2, kTaDiffuse},
        {tss::kAlphaOp, kTopModulate}, {tss::kAlphaArg1, kTaTexture}, {tss::kAlphaArg2, kTaDiffuse},
    };
    for (const auto &state : stageStates) {
        if (device_->SetTextureStageState(0, state[0], state[1]) != hr::kOk) return kInitFailed;
    }
    return created;
}

void DeviceSession::Release() {
    device_.reset();
    system_.reset();
}

bool DeviceSession::BackBufferHasSize() const {
    return deviceWidth_ != 0 && deviceHeight_ != 0 && deviceWidth_ == presentParameters_.BackBufferWidth &&
           deviceHeight_ == presentParameters_.BackBufferHeight;
}

void DeviceSession::SetBackBufferSize(uint32_t width, uint32_t height) {
    presentParameters_.BackBufferWidth = width;
    presentParameters_.BackBufferHeight = height;
}

HResult DeviceSession::Reset() {
    if (!device_) return hr::kInvalidCall;
    const HResult result = device_->Reset(presentParameters_);
    cullState_ = kCullCounterClockwise;  // a reset restores the default states
    deviceWidth_ = result == hr::kOk ? presentParameters_.BackBufferWidth : 0;
    deviceHeight_ = result == hr::kOk ? presentParameters_.BackBufferHeight : 0;
    return result;
}

bool DeviceSession::ReadyToDraw(bool &wasReset) {
    wasReset = false;
    if (!HasDevice()) return false;
    const HResult level = device_->TestCooperativeLevel();
    if (level == hr::kOk) return true;
    if (level != hr::kDeviceNotReset || Reset() != hr::kOk) return false;
    wasReset = true;
    return true;
}

bool DeviceSession::EndFrame() {
    if (!HasDevice()) return false;
    if (device_->EndScene() != hr::kOk) return false;
    return device_->Present(&presentRect_, &presentRect_, nullptr, nullptr) == hr::kOk;
}

}  // namespace morvel::render
