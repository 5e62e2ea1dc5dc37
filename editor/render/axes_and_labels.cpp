#include "render/axes_and_labels.h"

#include "render/d3dx_math.h"
#include "render/pose.h"

namespace morvel::render {
namespace {

const char *const kLabelResourceNames[3] = {"IDB_FONT_X", "IDB_FONT_Y", "IDB_FONT_Z"};

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

bool DrawLine3D(RenderDevice &device, const Vector3 &from, const Vector3 &to, Color colour) {
    device.SetTexture(0, nullptr);
    if (device.SetVertexShader(fvf::kXyz | fvf::kDiffuse) != hr::kOk) return false;
    const LineVertex line[2] = {{from.x, from.y, from.z, colour}, {to.x, to.y, to.z, colour}};
    return device.DrawPrimitiveUP(kLineList, 1, line, sizeof(LineVertex)) == hr::kOk;
}

bool DrawLabelQuad(RenderDevice &device, const Vector3 &p, const Vector3 &r, const Vector3 &k,
                   float w, float h, Color c, const LabelTexture &label) {
    if (device.SetTexture(0, label.texture.get()) != hr::kOk) return false;
    const LabelVertex quad[6] = {
        {w, h, 0.0f, c, 0.0f, 0.0f}, {-w, h, 0.0f, c, 1.0f, 0.0f},  {-w, -h, 0.0f, c, 1.0f, 1.0f},
        {w, h, 0.0f, c, 0.0f, 0.0f}, {-w, -h, 0.0f, c, 1.0f, 1.0f}, {w, -h, 0.0f, c, 0.0f, 1.0f},
    };
    device.SetVertexShader(fvf::kXyz | fvf::kDiffuse | fvf::kTex1);

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
    device.SetTransform(kTransformWorld, world);

    return device.DrawPrimitiveUP(kTriangleList, 2, quad, sizeof(LabelVertex)) == hr::kOk;
}

void AxesAndLabels::Draw(RenderDevice &device, const MotionFileHeader &header) const {
    const Color colour = HeaderColour(header.axisColour);
    device.SetRenderState(rs::kAmbient, colour);

    DrawLine3D(device, {-100.0f, 0.0f, 0.0f}, {100.0f, 0.0f, 0.0f}, colour);
    DrawLine3D(device, {0.0f, -100.0f, 0.0f}, {0.0f, 100.0f, 0.0f}, colour);
    DrawLine3D(device, {0.0f, 0.0f, -100.0f}, {0.0f, 0.0f, 100.0f}, colour);
    for (float t = -3050.0f; t < 3000.0f; t += 100.0f) {
        DrawLine3D(device, {t, -5.0f, 0.0f}, {t, 5.0f, 0.0f}, colour);
        DrawLine3D(device, {-5.0f, t, 0.0f}, {5.0f, t, 0.0f}, colour);
        DrawLine3D(device, {-5.0f, 0.0f, t}, {5.0f, 0.0f, t}, colour);
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
        DrawLabelQuad(device, places[slot], facing, scale, 10.0f, 10.0f, 0xFFFFFFFF, labels_[slot]);
    }
    for (int slot = 0; slot < 3; ++slot) {
        DrawLabelQuad(device, places[slot], away, scale, 10.0f, 10.0f, 0xFFFFFFFF, labels_[slot]);
    }
}

bool AxesAndLabels::LoadLabels(RenderDevice &device, d3dx::ResourceModule *module,
                               const AssetLoaders &loaders) {
    for (int slot = 0; slot < 3; ++slot) {
        labels_[slot].texture.reset();  // the old texture goes before the new one loads
        if (d3dx::D3DXCreateTextureFromResourceA(device, module, kLabelResourceNames[slot],
                                                 &labels_[slot].texture, loaders) != hr::kOk) {
            labels_[slot].texture.reset();
            return false;
        }
    }
    return true;
}

void AxesAndLabels::ReleaseLabels() {
    for (LabelTexture &label : labels_) label.texture.reset();
}

}  // namespace morvel::render
