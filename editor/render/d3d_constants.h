// The Direct3D 8 numbers the renderer passes to the device, named once.
// Values are those of d3d8types.h; the adapter static_asserts them.
#pragma once

#include <cstdint>

namespace morvel::render {

using HResult = int32_t;

namespace hr {
constexpr HResult kOk = 0;
constexpr HResult kFail = static_cast<HResult>(0x80004005u);
constexpr HResult kOutOfMemory = static_cast<HResult>(0x8007000Eu);
constexpr HResult kInvalidCall = static_cast<HResult>(0x8876086Cu);
constexpr HResult kOutOfVideoMemory = static_cast<HResult>(0x8876017Cu);
constexpr HResult kDeviceLost = static_cast<HResult>(0x88760868u);
constexpr HResult kDeviceNotReset = static_cast<HResult>(0x88760869u);
constexpr HResult kNotAvailable = static_cast<HResult>(0x8876086Au);
}  // namespace hr

inline bool Succeeded(HResult result) { return result >= 0; }

constexpr uint32_t kSdkVersion = 220;  // D3D_SDK_VERSION of Direct3D 8.1
constexpr uint32_t kDefaultAdapter = 0;

// D3DDEVTYPE
constexpr uint32_t kDeviceTypeHal = 1;
constexpr uint32_t kDeviceTypeRef = 2;

// D3DCREATE_*
constexpr uint32_t kCreateSoftwareVertexProcessing = 0x20;
constexpr uint32_t kCreateHardwareVertexProcessing = 0x40;

// D3DFORMAT
constexpr uint32_t kFormatA8R8G8B8 = 21;
constexpr uint32_t kFormatX8R8G8B8 = 22;
constexpr uint32_t kFormatD16 = 80;
constexpr uint32_t kFormatIndex16 = 101;
constexpr uint32_t kFormatIndex32 = 102;

constexpr uint32_t kSwapEffectDiscard = 1;

// D3DCLEAR_*
constexpr uint32_t kClearTarget = 1;
constexpr uint32_t kClearZBuffer = 2;

// D3DTRANSFORMSTATETYPE
constexpr uint32_t kTransformView = 2;
constexpr uint32_t kTransformProjection = 3;
constexpr uint32_t kTransformWorld = 256;

// D3DRENDERSTATETYPE
namespace rs {
constexpr uint32_t kZEnable = 7;
constexpr uint32_t kShadeMode = 9;
constexpr uint32_t kZWriteEnable = 14;
constexpr uint32_t kSrcBlend = 19;
constexpr uint32_t kDestBlend = 20;
constexpr uint32_t kCullMode = 22;
constexpr uint32_t kAlphaBlendEnable = 27;
constexpr uint32_t kLighting = 137;
constexpr uint32_t kAmbient = 139;
constexpr uint32_t kNormalizeNormals = 143;
}  // namespace rs

constexpr uint32_t kTrue = 1;
constexpr uint32_t kFalse = 0;
constexpr uint32_t kShadeGouraud = 2;
constexpr uint32_t kZBufferTrue = 1;
constexpr uint32_t kBlendSrcAlpha = 5;
constexpr uint32_t kBlendInvSrcAlpha = 6;
constexpr uint32_t kCullNone = 1;
constexpr uint32_t kCullClockwise = 2;
constexpr uint32_t kCullCounterClockwise = 3;

// D3DTEXTURESTAGESTATETYPE
namespace tss {
constexpr uint32_t kColorOp = 1;
constexpr uint32_t kColorArg1 = 2;
constexpr uint32_t kColorArg2 = 3;
constexpr uint32_t kAlphaOp = 4;
constexpr uint32_t kAlphaArg1 = 5;
constexpr uint32_t kAlphaArg2 = 6;
}  // namespace tss

constexpr uint32_t kTopModulate = 4;  // D3DTOP_MODULATE
constexpr uint32_t kTaDiffuse = 0;    // D3DTA_DIFFUSE
constexpr uint32_t kTaTexture = 2;    // D3DTA_TEXTURE

// D3DPRIMITIVETYPE
constexpr uint32_t kLineList = 2;
constexpr uint32_t kTriangleList = 4;

constexpr uint32_t kLightDirectional = 3;  // D3DLIGHT_DIRECTIONAL

// D3DFVF_XYZRHW, for screen-space text quads.
constexpr uint32_t kFvfXyzRhw = 0x004;

}  // namespace morvel::render
