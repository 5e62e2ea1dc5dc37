#include "render/view_camera.h"

#include <cmath>

#include "render/d3dx_math.h"

namespace morvel::render {
namespace {

constexpr float kFieldOfView = 0.785398185f;  // pi/4 in single precision (0x3F490FDB)
constexpr float kNearPlane = 1.0f;
constexpr float kFarPlane = 100000.0f;
constexpr Vector3 kOrigin{0.0f, 0.0f, 0.0f};
constexpr Vector3 kUp{0.0f, 1.0f, 0.0f};

bool IsFinite(const Matrix &m) {
    for (const auto &row : m.m) {
        for (float value : row) {
            if (!std::isfinite(value)) return false;
        }
    }
    return true;
}

}  // namespace

ViewCamera::ViewCamera() {
    d3dx::D3DXMatrixIdentity(&projection_);
    d3dx::D3DXMatrixIdentity(&view_);
}

bool ViewCamera::ComputeView(Matrix &view) const {
    if (rightHanded_ != 0) {
        d3dx::D3DXMatrixLookAtRH(&view, &eye_, &kOrigin, &kUp);
    } else {
        d3dx::D3DXMatrixLookAtLH(&view, &eye_, &kOrigin, &kUp);
    }
    // An eye at the origin (distance 0) or on the up axis has no x axis.
    const bool hasXAxis = view.m[0][0] != 0.0f || view.m[1][0] != 0.0f || view.m[2][0] != 0.0f;
    return hasXAxis && IsFinite(view);
}

void ViewCamera::ApplySettings(RenderDevice *device, const Rect &presentRect, int cullMode,
                               int rightHanded, int axisDirection, uint32_t &deviceCullState) {
    if (cullMode != -1) cullMode_ = static_cast<int8_t>(cullMode);
    if (rightHanded != -1) rightHanded_ = static_cast<int8_t>(rightHanded);
    if (axisDirection != -1) axisDirection_ = static_cast<int8_t>(axisDirection);
    if (device == nullptr) return;

    Matrix view;
    if (ComputeView(view)) view_ = view;  // a degenerate eye keeps the previous view
    device->SetTransform(kTransformView, view_);

    // A window shrunk to nothing keeps the previous projection: a zero
    // bottom or right would make it infinite.
    if (presentRect.right != 0 && presentRect.bottom != 0) {
        const float aspect =
            static_cast<float>(presentRect.right) / static_cast<float>(presentRect.bottom);
        if (rightHanded_ != 0) {
            d3dx::D3DXMatrixPerspectiveFovRH(&projection_, kFieldOfView, aspect, kNearPlane,
                                             kFarPlane);
        } else {
            d3dx::D3DXMatrixPerspectiveFovLH(&projection_, kFieldOfView, aspect, kNearPlane,
                                             kFarPlane);
        }
    }
    device->SetTransform(kTransformProjection, projection_);

    switch (cullMode_) {
        case 0:
            deviceCullState = kCullNone;
            break;
        case 1:
            deviceCullState = kCullClockwise;
            break;
        case 2:
            deviceCullState = kCullCounterClockwise;
            break;
        default:
            break;
    }
    if (cullMode_ >= 0 && cullMode_ <= 2) device->SetRenderState(rs::kCullMode, deviceCullState);

    device->SetRenderState(rs::kLighting, kTrue);
    device->SetRenderState(rs::kShadeMode, kShadeGouraud);
    device->SetRenderState(rs::kAmbient, 0xFF404040);
    device->SetRenderState(rs::kZEnable, kZBufferTrue);
    device->SetRenderState(rs::kZWriteEnable, kTrue);
    device->SetRenderState(rs::kNormalizeNormals, kTrue);
    device->SetTextureStageState(0, tss::kAlphaOp, kTopModulate);
    device->SetTextureStageState(0, tss::kAlphaArg1, kTaTexture);
    device->SetTextureStageState(0, tss::kAlphaArg2, kTaDiffuse);
    device->SetTextureStageState(0, tss::kColorOp, kTopModulate);
    device->SetTextureStageState(0, tss::kColorArg1, kTaTexture);
    device->SetTextureStageState(0, tss::kColorArg2, kTaDiffuse);
    device->SetRenderState(rs::kAlphaBlendEnable, kTrue);
    device->SetRenderState(rs::kSrcBlend, kBlendSrcAlpha);
    device->SetRenderState(rs::kDestBlend, kBlendInvSrcAlpha);
}

bool ViewCamera::SetCamera(RenderDevice *device, int elevation, int azimuth, int distance) {
    const float e = d3dx::DegreesToRadians(elevation);
    const double a = d3dx::DegreesToRadians(azimuth);
    // Only the elevation's cosine and sine are singles; the azimuth's stay
    // double until their product with cos e is rounded.
    const float cosE = static_cast<float>(std::cos(static_cast<double>(e)));
    const float sinE = static_cast<float>(std::sin(static_cast<double>(e)));
    const float cosESinA = static_cast<float>(cosE * std::sin(a));
    const float cosECosA = static_cast<float>(cosE * std::cos(a));
    const double d = distance;
    eye_ = Vector3{static_cast<float>(cosESinA * d), static_cast<float>(sinE * d),
                   static_cast<float>(cosECosA * d)};

    Matrix view;
    if (ComputeView(view)) view_ = view;  // distance 0: keep the previous view
    if (device == nullptr) return false;
    return device->SetTransform(kTransformView, view_) == hr::kOk;
}

}  // namespace morvel::render
