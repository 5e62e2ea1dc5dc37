// View and projection, the camera eye, the axes with their tick marks and
// labels, and the overlay lines of the SceneRenderer.
#include <cmath>
#include <cstring>

#include "render/d3dx_math.h"
#include "render/pose.h"
#include "render/scene_renderer.h"

namespace morvel::render {
namespace {

constexpr float kFieldOfView = 0.785398185f;  // pi/4 in single precision (0x3F490FDB)
constexpr float kNearPlane = 1.0f;
constexpr float kFarPlane = 100000.0f;
constexpr Vector3 kOrigin{0.0f, 0.0f, 0.0f};
constexpr Vector3 kUp{0.0f, 1.0f, 0.0f};

const char *const kLabelResourceNames[3] = {"IDB_FONT_X", "IDB_FONT_Y", "IDB_FONT_Z"};

bool IsFinite(const Matrix &m) {
    for (const auto &row : m.m) {
        for (float value : row) {
            if (!std::isfinite(value)) return false;
        }
    }
    return true;
}

struct LineVertex {  // D3DFVF_XYZ | D3DFVF_DIFFUSE
    float x, y, z;
    Color colour;
};
static_assert(sizeof(LineVertex) == 16, "XYZ|DIFFUSE vertex");

struct LabelVertex {  // D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1
    float x, y, z;
    Color colour;
    float u, v;
};
static_assert(sizeof(LabelVertex) == 24, "XYZ|DIFFUSE|TEX1 vertex");

}  // namespace

bool SceneRenderer::ComputeView(Matrix &view) const {
    if (rightHanded_ != 0) {
        d3dx::D3DXMatrixLookAtRH(&view, &eye_, &kOrigin, &kUp);
    } else {
        d3dx::D3DXMatrixLookAtLH(&view, &eye_, &kOrigin, &kUp);
    }
    // An eye at the origin (distance 0) or on the up axis has no x axis.
    const bool hasXAxis = view.m[0][0] != 0.0f || view.m[1][0] != 0.0f || view.m[2][0] != 0.0f;
    return hasXAxis && IsFinite(view);
}

bool SceneRenderer::ApplyViewSettings(int cullMode, int rightHanded, int axisDirection) {
    if (cullMode != -1) cullMode_ = static_cast<int8_t>(cullMode);
    if (rightHanded != -1) rightHanded_ = static_cast<int8_t>(rightHanded);
    if (axisDirection != -1) axisDirection_ = static_cast<int8_t>(axisDirection);
    if (!device_) return true;

    Matrix view;
    if (ComputeView(view)) view_ = view;  // a degenerate eye keeps the previous view
    device_->SetTransform(kTransformView, view_);

    // A window shrunk to nothing keeps the previous projection: a zero
    // bottom or right would make it infinite.
    if (presentRect_.right != 0 && presentRect_.bottom != 0) {
        const float aspect =
            static_cast<float>(presentRect_.right) / static_cast<float>(presentRect_.bottom);
        if (rightHanded_ != 0) {
            d3dx::D3DXMatrixPerspectiveFovRH(&projection_, kFieldOfView, aspect, kNearPlane,
                                             kFarPlane);
        } else {
            d3dx::D3DXMatrixPerspectiveFovLH(&projection_, kFieldOfView, aspect, kNearPlane,
                                             kFarPlane);
        }
    }
    device_->SetTransform(kTransformProjection, projection_);

    switch (cullMode_) {
    case 0: deviceCullState_ = kCullNone; break;
    case 1: deviceCullState_ = kCullClockwise; break;
    case 2: deviceCullState_ = kCullCounterClockwise; break;
    default: break;
    }
    if (cullMode_ >= 0 && cullMode_ <= 2) device_->SetRenderState(rs::kCullMode, deviceCullState_);

    device_->SetRenderState(rs::kLighting, kTrue);
    device_->SetRenderState(rs::kShadeMode, kShadeGouraud);
    device_->SetRenderState(rs::kAmbient, 0xFF404040);
    device_->SetRenderState(rs::kZEnable, kZBufferTrue);
    device_->SetRenderState(rs::kZWriteEnable, kTrue);
    device_->SetRenderState(rs::kNormalizeNormals, kTrue);
    device_->SetTextureStageState(0, tss::kAlphaOp, kTopModulate);
    device_->SetTextureStageState(0, tss::kAlphaArg1, kTaTexture);
    device_->SetTextureStageState(0, tss::kAlphaArg2, kTaDiffuse);
    device_->SetTextureStageState(0, tss::kColorOp, kTopModulate);
    device_->SetTextureStageState(0, tss::kColorArg1, kTaTexture);
    device_->SetTextureStageState(0, tss::kColorArg2, kTaDiffuse);
    device_->SetRenderState(rs::kAlphaBlendEnable, kTrue);
    device_->SetRenderState(rs::kSrcBlend, kBlendSrcAlpha);
    device_->SetRenderState(rs::kDestBlend, kBlendInvSrcAlpha);
    return true;
}

bool SceneRenderer::SetViewCamera(int elevation, int azimuth, int distance) {
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
    if (!device_) return false;
    return device_->SetTransform(kTransformView, view_) == hr::kOk;
}

bool SceneRenderer::DrawLine3D(const Vector3 &from, const Vector3 &to, Color colour) {
    if (!device_) return false;
    device_->SetTexture(0, nullptr);
    if (device_->SetVertexShader(fvf::kXyz | fvf::kDiffuse) != hr::kOk) return false;
    const LineVertex line[2] = {{from.x, from.y, from.z, colour}, {to.x, to.y, to.z, colour}};
    return device_->DrawPrimitiveUP(kLineList, 1, line, sizeof(LineVertex)) == hr::kOk;
}

bool SceneRenderer::DrawLabelQuad(const Vector3 &p, const Vector3 &r, const Vector3 &k, float w,
                                  float h, Color c, const LabelTexture &label) {
    if (!device_) return false;
    if (device_->SetTexture(0, label.texture.get()) != hr::kOk) return false;
    const LabelVertex quad[6] = {
        {w, h, 0.0f, c, 0.0f, 0.0f},  {-w, h, 0.0f, c, 1.0f, 0.0f}, {-w, -h, 0.0f, c, 1.0f, 1.0f},
        {w, h, 0.0f, c, 0.0f, 0.0f},  {-w, -h, 0.0f, c, 1.0f, 1.0f}, {w, -h, 0.0f, c, 0.0f, 1.0f},
    };
    device_->SetVertexShader(fvf::kXyz | fvf::kDiffuse | fvf::kTex1);

    Matrix world, factor;
    d3dx::D3DXMatrixScaling(&world, k.x, k.y, k.z);
    d3dx::D3DXMatrixRotationX(&factor, d3dx::DegreesToRadians(static_cast<int32_t>(r.x)));
    d3dx::D3DXMatrixMultiply(&world, &world, &factor);
    d3dx::D3DXMatrixRotationY(&factor, d3dx::DegreesToRadians(static_cast<int32_t>(r.y)));
    d3dx::D3DXMatrixMultiply(&world, &world, &factor);
    d3dx::D3DXMatrixRotationZ(&factor, d3dx::DegreesToRadians(static_cast<int32_t>(r.z)));
    d3dx::D3DXMatrixMultiply(&world, &world, &factor);
    d3dx::D3DXMatrixTranslation(&factor, p.x, p.y, p.z);
    d3dx::D3DXMatrixMultiply(&world, &world, &factor);
    device_->SetTransform(kTransformWorld, world);

    return device_->DrawPrimitiveUP(kTriangleList, 2, quad, sizeof(LabelVertex)) == hr::kOk;
}

void SceneRenderer::DrawAxesAndLabels(const MotionFileHeader &header) {
    const Color colour = HeaderColour(header.axisColour);
    device_->SetRenderState(rs::kAmbient, colour);

    DrawLine3D({-100.0f, 0.0f, 0.0f}, {100.0f, 0.0f, 0.0f}, colour);
    DrawLine3D({0.0f, -100.0f, 0.0f}, {0.0f, 100.0f, 0.0f}, colour);
    DrawLine3D({0.0f, 0.0f, -100.0f}, {0.0f, 0.0f, 100.0f}, colour);
    for (float t = -3050.0f; t < 3000.0f; t += 100.0f) {
        DrawLine3D({t, -5.0f, 0.0f}, {t, 5.0f, 0.0f}, colour);
        DrawLine3D({-5.0f, t, 0.0f}, {5.0f, t, 0.0f}, colour);
        DrawLine3D({-5.0f, 0.0f, t}, {5.0f, 0.0f, t}, colour);
    }

    const float s = static_cast<float>(header.cameraDistance / 300.0 / 2.0);
    const float d = static_cast<float>(header.cameraDistance / 300.0 * 100.0);
    const Vector3 scale{s, s, s};
    const Vector3 places[3] = {{d, 0.0f, 0.0f}, {0.0f, d, 0.0f}, {0.0f, 0.0f, d}};
    const float e = static_cast<float>(header.cameraElevation);
    const float a = static_cast<float>(header.cameraAzimuth);
    const Vector3 facing{-e, a, 0.0f};
    const Vector3 away{-(e + 180.0f), a, 0.0f};
    for (int slot = 0; slot < 3; ++slot) {
        DrawLabelQuad(places[slot], facing, scale, 10.0f, 10.0f, 0xFFFFFFFF, labels_[slot]);
    }
    for (int slot = 0; slot < 3; ++slot) {
        DrawLabelQuad(places[slot], away, scale, 10.0f, 10.0f, 0xFFFFFFFF, labels_[slot]);
    }
}

bool SceneRenderer::LoadLabelTextures(d3dx::ResourceModule *module) {
    if (!device_) return false;
    for (int slot = 0; slot < 3; ++slot) {
        labels_[slot].texture.reset();  // the old texture goes before the new one loads
        if (d3dx::D3DXCreateTextureFromResourceA(*device_, module, kLabelResourceNames[slot],
                                                 &labels_[slot].texture, loaders_) != hr::kOk) {
            labels_[slot].texture.reset();
            return false;
        }
    }
    return true;
}

bool SceneRenderer::DrawOverlayText(const std::string &text, int32_t x, int32_t y, int size,
                                    Color colour) {
    if (!device_) return false;
    return overlayText_.Draw(*device_, text, x, y, size, colour, deviceCullState_);
}

void SceneRenderer::DrawOverlayLines(const SceneDocument &scene) {
    const Color colour = HeaderColour(scene.document.header.statusTextColour);
    for (const OverlayLine &line : FormatOverlayLines(scene, presentRect_)) {
        DrawOverlayText(line.text, 0, line.y, kOverlayTextSize, colour);
    }
}

}  // namespace morvel::render
