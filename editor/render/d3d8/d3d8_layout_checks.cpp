// The portable value types and constants must match Direct3D 8 exactly:
// the adapter hands them to the device by reinterpretation.
#include <d3d8.h>
#include <windows.h>

#include <cstddef>

#include "base/d3d_types.h"
#include "render/d3d_constants.h"
#include "render/render_device.h"

namespace morvel::render {

static_assert(sizeof(Vector3) == sizeof(D3DVECTOR), "D3DVECTOR");
static_assert(sizeof(ColorValue) == sizeof(D3DCOLORVALUE), "D3DCOLORVALUE");
static_assert(sizeof(Matrix) == sizeof(D3DMATRIX), "D3DMATRIX");
static_assert(sizeof(Material) == sizeof(D3DMATERIAL8), "D3DMATERIAL8");
static_assert(offsetof(Material, Power) == offsetof(D3DMATERIAL8, Power), "D3DMATERIAL8.Power");
static_assert(sizeof(Light) == sizeof(D3DLIGHT8), "D3DLIGHT8");
static_assert(offsetof(Light, Direction) == offsetof(D3DLIGHT8, Direction), "D3DLIGHT8.Direction");
static_assert(offsetof(Light, Phi) == offsetof(D3DLIGHT8, Phi), "D3DLIGHT8.Phi");
static_assert(sizeof(Rect) == sizeof(RECT) && sizeof(Rect) == sizeof(D3DRECT), "RECT");
static_assert(sizeof(PresentParameters) == sizeof(D3DPRESENT_PARAMETERS), "D3DPRESENT_PARAMETERS");
static_assert(offsetof(PresentParameters, hDeviceWindow) ==
                  offsetof(D3DPRESENT_PARAMETERS, hDeviceWindow),
              "D3DPRESENT_PARAMETERS.hDeviceWindow");
static_assert(offsetof(PresentParameters, FullScreen_PresentationInterval) ==
                  offsetof(D3DPRESENT_PARAMETERS, FullScreen_PresentationInterval),
              "D3DPRESENT_PARAMETERS tail");
static_assert(sizeof(DisplayMode) == sizeof(D3DDISPLAYMODE), "D3DDISPLAYMODE");

static_assert(kSdkVersion == D3D_SDK_VERSION, "SDK version");
static_assert(kDeviceTypeHal == D3DDEVTYPE_HAL && kDeviceTypeRef == D3DDEVTYPE_REF, "D3DDEVTYPE");
static_assert(kCreateSoftwareVertexProcessing == D3DCREATE_SOFTWARE_VERTEXPROCESSING &&
                  kCreateHardwareVertexProcessing == D3DCREATE_HARDWARE_VERTEXPROCESSING,
              "D3DCREATE");
static_assert(kFormatA8R8G8B8 == D3DFMT_A8R8G8B8 && kFormatD16 == D3DFMT_D16 &&
                  kFormatIndex16 == D3DFMT_INDEX16 && kFormatIndex32 == D3DFMT_INDEX32,
              "D3DFORMAT");
static_assert(kSwapEffectDiscard == D3DSWAPEFFECT_DISCARD, "D3DSWAPEFFECT");
static_assert(kClearTarget == D3DCLEAR_TARGET && kClearZBuffer == D3DCLEAR_ZBUFFER, "D3DCLEAR");
static_assert(kTransformView == D3DTS_VIEW && kTransformProjection == D3DTS_PROJECTION &&
                  kTransformWorld == D3DTS_WORLD,
              "D3DTRANSFORMSTATETYPE");
static_assert(rs::kZEnable == D3DRS_ZENABLE && rs::kShadeMode == D3DRS_SHADEMODE &&
                  rs::kZWriteEnable == D3DRS_ZWRITEENABLE && rs::kSrcBlend == D3DRS_SRCBLEND &&
                  rs::kDestBlend == D3DRS_DESTBLEND && rs::kCullMode == D3DRS_CULLMODE &&
                  rs::kAlphaBlendEnable == D3DRS_ALPHABLENDENABLE &&
                  rs::kLighting == D3DRS_LIGHTING && rs::kAmbient == D3DRS_AMBIENT &&
                  rs::kNormalizeNormals == D3DRS_NORMALIZENORMALS,
              "D3DRENDERSTATETYPE");
static_assert(kShadeGouraud == D3DSHADE_GOURAUD && kZBufferTrue == D3DZB_TRUE &&
                  kBlendSrcAlpha == D3DBLEND_SRCALPHA && kBlendInvSrcAlpha == D3DBLEND_INVSRCALPHA &&
                  kCullNone == D3DCULL_NONE && kCullClockwise == D3DCULL_CW &&
                  kCullCounterClockwise == D3DCULL_CCW,
              "render state values");
static_assert(tss::kColorOp == D3DTSS_COLOROP && tss::kColorArg1 == D3DTSS_COLORARG1 &&
                  tss::kColorArg2 == D3DTSS_COLORARG2 && tss::kAlphaOp == D3DTSS_ALPHAOP &&
                  tss::kAlphaArg1 == D3DTSS_ALPHAARG1 && tss::kAlphaArg2 == D3DTSS_ALPHAARG2,
              "D3DTEXTURESTAGESTATETYPE");
static_assert(kTopModulate == D3DTOP_MODULATE && kTaDiffuse == D3DTA_DIFFUSE &&
                  kTaTexture == D3DTA_TEXTURE,
              "texture ops");
static_assert(kLineList == D3DPT_LINELIST && kTriangleList == D3DPT_TRIANGLELIST, "D3DPRIMITIVETYPE");
static_assert(kLightDirectional == D3DLIGHT_DIRECTIONAL, "D3DLIGHTTYPE");
static_assert(fvf::kXyz == D3DFVF_XYZ && fvf::kNormal == D3DFVF_NORMAL &&
                  fvf::kDiffuse == D3DFVF_DIFFUSE && fvf::kTex1 == D3DFVF_TEX1 &&
                  kFvfXyzRhw == D3DFVF_XYZRHW,
              "D3DFVF");
static_assert(static_cast<HRESULT>(hr::kInvalidCall) == D3DERR_INVALIDCALL &&
                  static_cast<HRESULT>(hr::kDeviceLost) == D3DERR_DEVICELOST &&
                  static_cast<HRESULT>(hr::kDeviceNotReset) == D3DERR_DEVICENOTRESET &&
                  static_cast<HRESULT>(hr::kOutOfVideoMemory) == D3DERR_OUTOFVIDEOMEMORY &&
                  static_cast<HRESULT>(hr::kOutOfMemory) == E_OUTOFMEMORY &&
                  static_cast<HRESULT>(hr::kNotAvailable) == D3DERR_NOTAVAILABLE,
              "HRESULT");

}  // namespace morvel::render
