#include "render/axes_and_labels.h"

#include <vector>

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

constexpr int kTicks = 61;  // every 100 units from -3050 to 2950 on each axis
constexpr uint32_t kLineCount = 3 + 3 * kTicks;
constexpr float kLabelHalfSide = 10.0f;

// The three axes, then the ticks of X, Y and Z in turn at each place.
std::vector<LineVertex> AxisLines(Color colour) {
    std::vector<LineVertex> v;
    v.reserve(kLineCount * 2);
    const auto line = [&](float x0, float y0, float z0, float x1, float y1, float z1) {
        v.push_back({x0, y0, z0, colour});
        v.push_back({x1, y1, z1, colour});
    };
    line(-100.0f, 0.0f, 0.0f, 100.0f, 0.0f, 0.0f);
    line(0.0f, -100.0f, 0.0f, 0.0f, 100.0f, 0.0f);
    line(0.0f, 0.0f, -100.0f, 0.0f, 0.0f, 100.0f);
    for (int i = 0; i < kTicks; ++i) {
        const float t = -3050.0f + 100.0f * static_cast<float>(i);
        line(t, -5.0f, 0.0f, t, 5.0f, 0.0f);
        line(-5.0f, t, 0.0f, 5.0f, t, 0.0f);
        line(-5.0f, 0.0f, t, 5.0f, 0.0f, t);
    }
    return v;
}

// A white square of half side kLabelHalfSide, the texture's u running
// right to left.
const LabelVertex kLabelQuad[6] = {
    {kLabelHalfSide, kLabelHalfSide, 0.0f, 0xFFFFFFFF, 0.0f, 0.0f},
    {-kLabelHalfSide, kLabelHalfSide, 0.0f, 0xFFFFFFFF, 1.0f, 0.0f},
    {-kLabelHalfSide, -kLabelHalfSide, 0.0f, 0xFFFFFFFF, 1.0f, 1.0f},
    {kLabelHalfSide, kLabelHalfSide, 0.0f, 0xFFFFFFFF, 0.0f, 0.0f},
    {-kLabelHalfSide, -kLabelHalfSide, 0.0f, 0xFFFFFFFF, 1.0f, 1.0f},
    {kLabelHalfSide, -kLabelHalfSide, 0.0f, 0xFFFFFFFF, 0.0f, 1.0f},
};

// The label quad scaled by k, rotated (whole degrees X, Y, Z) and moved to p.
void DrawLabelQuad(RenderDevice &device, VertexBuffer &quad, const Vector3 &p, const Vector3 &r,
                   const Vector3 &k, const LabelTexture &label) {
    if (device.SetTexture(0, label.texture.get()) != hr::kOk) return;
    device.SetVertexShader(fvf::kXyz | fvf::kDiffuse | fvf::kTex1);
    device.SetStreamSource(0, &quad, sizeof(LabelVertex));

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

    device.DrawPrimitive(kTriangleList, 0, 2);
}

}  // namespace

void AxesAndLabels::Prepare(RenderDevice &device, const MotionFileHeader &header) {
    const Color colour = HeaderColour(header.axisColour);
    if (!lines_ || linesColour_ != colour) {
        const std::vector<LineVertex> lines = AxisLines(colour);
        lines_.reset();
        if (device.CreateVertexBuffer(lines.data(),
                                      static_cast<uint32_t>(lines.size() * sizeof(LineVertex)),
                                      fvf::kXyz | fvf::kDiffuse, lines_) != hr::kOk) {
            lines_.reset();
        }
        linesColour_ = colour;
    }
    if (!labelQuad_ &&
        device.CreateVertexBuffer(kLabelQuad, sizeof kLabelQuad,
                                  fvf::kXyz | fvf::kDiffuse | fvf::kTex1, labelQuad_) != hr::kOk) {
        labelQuad_.reset();
    }
}

void AxesAndLabels::Draw(RenderDevice &device, const MotionFileHeader &header) const {
    const Color colour = HeaderColour(header.axisColour);
    device.SetRenderState(rs::kAmbient, colour);

    if (lines_) {
        device.SetTexture(0, nullptr);
        device.SetVertexShader(fvf::kXyz | fvf::kDiffuse);
        device.SetStreamSource(0, lines_.get(), sizeof(LineVertex));
        device.DrawPrimitive(kLineList, 0, kLineCount);
    }
    if (!labelQuad_) return;

    const float s = static_cast<float>(header.cameraDistance / 300.0 / 2.0);
    const float d = static_cast<float>(header.cameraDistance / 300.0 * 100.0);
    const Vector3 scale{s, s, s};
    const Vector3 places[3] = {{d, 0.0f, 0.0f}, {0.0f, d, 0.0f}, {0.0f, 0.0f, d}};
    const float e = static_cast<float>(header.cameraElevation);
    const float a = static_cast<float>(header.cameraAzimuth);
    const Vector3 facing{-e, a, 0.0f};
    const Vector3 away{-(e + 180.0f), a, 0.0f};
    for (int slot = 0; slot < 3; ++slot)
        DrawLabelQuad(device, *labelQuad_, places[slot], facing, scale, labels_[slot]);
    for (int slot = 0; slot < 3; ++slot)
        DrawLabelQuad(device, *labelQuad_, places[slot], away, scale, labels_[slot]);
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
    lines_.reset();
    labelQuad_.reset();
}

}  // namespace morvel::render
