#include "render/overlay_text.h"

#include <cstdio>

#include "base/cp932_text.h"
#include "base/field_text.h"

namespace morvel::render {
namespace {

constexpr size_t kLineCacheSize = 8;
constexpr uint32_t kMaxTextTextureSide = 2048;

// Texts are formatted into 1024-byte buffers, as fixed fields are.
std::string FormatLine(const char *format, int a, const char *text) {
    char buffer[1024];
    std::snprintf(buffer, sizeof buffer, format, a, text);
    return buffer;
}

uint32_t PowerOfTwoAtLeast(uint32_t value) {
    uint32_t side = 1;
    while (side < value) side <<= 1;
    return side;
}

struct TextVertex {  // D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1
    float x, y, z, rhw;
    Color colour;
    float u, v;
};
static_assert(sizeof(TextVertex) == 28, "XYZRHW|DIFFUSE|TEX1 vertex");

}  // namespace

std::vector<OverlayLine> FormatOverlayLines(const SceneDocument &scene, const Rect &presentRect) {
    std::vector<OverlayLine> lines;
    const MotionDocument &doc = scene.document;
    if (doc.header.partCount == 0 || doc.header.motionCount == 0) return lines;
    const MotionEntry *motion = SelectedMotion(scene);
    if (motion == nullptr) return lines;
    lines.push_back({FormatLine("Motion-[%d][%s]", scene.selectedMotion,
                                base::FieldText(motion->name, sizeof motion->name).c_str()),
                     presentRect.bottom - 48});
    const FrameEntry *frame = SelectedFrame(scene);
    if (frame == nullptr) return lines;
    lines.push_back({FormatLine("Frame-[%d][%s]", scene.selectedFrame,
                                base::FieldText(frame->comment, sizeof frame->comment).c_str()),
                     presentRect.bottom - 32});
    const PositionEntry *position = SelectedPosition(scene);
    if (position == nullptr) return lines;
    std::string partName;
    if (position->partNumber >= 0 && position->partNumber < doc.header.partCount && doc.parts) {
        const PartEntry &part = doc.parts[position->partNumber];
        partName = base::FieldText(part.fileName, sizeof part.fileName);
    }
    char buffer[1024];
    std::snprintf(buffer, sizeof buffer, "Position-[%d] Parts-[%d][%s]", scene.selectedPosition,
                  position->partNumber, partName.c_str());
    lines.push_back({buffer, presentRect.bottom - 16});
    return lines;
}

TextureImage TextTextureImage(const TextBitmap &bitmap) {
    TextureImage image;
    image.format = kFormatA8R8G8B8;
    image.imageWidth = bitmap.width;
    image.imageHeight = bitmap.height;
    formats::image::TextureLevel level;
    level.width = PowerOfTwoAtLeast(bitmap.width);
    level.height = PowerOfTwoAtLeast(bitmap.height);
    level.pitch = level.width * 4;
    level.bytes.assign(size_t{level.pitch} * level.height, 0);
    for (uint32_t y = 0; y < bitmap.height; ++y) {
        for (uint32_t x = 0; x < bitmap.width; ++x) {
            uint8_t *pixel = &level.bytes[size_t{y} * level.pitch + size_t{x} * 4];
            pixel[0] = pixel[1] = pixel[2] = 0xFF;  // B, G, R
            pixel[3] = bitmap.coverage[size_t{y} * bitmap.width + x];
        }
    }
    image.levels.push_back(std::move(level));
    return image;
}

OverlayTextDrawer::CachedLine *OverlayTextDrawer::Find(RenderDevice &device,
                                                       const std::string &text) {
    for (size_t i = 0; i < cache_.size(); ++i) {
        if (cache_[i].text == text) {
            if (i + 1 != cache_.size()) {
                CachedLine hit = std::move(cache_[i]);
                cache_.erase(cache_.begin() + static_cast<std::ptrdiff_t>(i));
                cache_.push_back(std::move(hit));
            }
            return &cache_.back();
        }
    }
    TextBitmap bitmap;
    if (!rasterizer_->RasterizeText(text, bitmap)) return nullptr;
    if (bitmap.width == 0 || bitmap.height == 0 || bitmap.width > kMaxTextTextureSide ||
        bitmap.height > kMaxTextTextureSide ||
        bitmap.coverage.size() != size_t{bitmap.width} * bitmap.height) {
        return nullptr;
    }
    CachedLine line;
    line.text = text;
    line.width = bitmap.width;
    line.height = bitmap.height;
    const TextureImage image = TextTextureImage(bitmap);
    line.textureWidth = image.levels[0].width;
    line.textureHeight = image.levels[0].height;
    if (device.CreateTexture(image, line.texture) != hr::kOk || !line.texture) return nullptr;
    if (cache_.size() == kLineCacheSize) cache_.erase(cache_.begin());
    cache_.push_back(std::move(line));
    return &cache_.back();
}

OverlayTextDrawer::CachedLine *OverlayTextDrawer::Ready(RenderDevice &device,
                                                        const std::string &text, int32_t x,
                                                        int32_t y, int size, Color colour,
                                                        bool &nothingToShow) {
    const std::string shown = text.substr(0, base::Cp932PrefixLength(text, size > 0 ? size : 0));
    nothingToShow =
        rasterizer_ == nullptr || shown.empty();  // without a rasterizer the line stays invisible
    if (nothingToShow) return nullptr;
    CachedLine *line = Find(device, shown);
    if (line == nullptr) return nullptr;
    if (line->quad && line->quadX == x && line->quadY == y && line->quadColour == colour)
        return line;

    // Pixel centres sit on texel centres with the half-pixel shift.
    const float left = static_cast<float>(x) - 0.5f, top = static_cast<float>(y) - 0.5f;
    const float right = left + static_cast<float>(line->width);
    const float bottom = top + static_cast<float>(line->height);
    const float u = static_cast<float>(line->width) / static_cast<float>(line->textureWidth);
    const float v = static_cast<float>(line->height) / static_cast<float>(line->textureHeight);
    const TextVertex quad[6] = {
        {left, top, 0.0f, 1.0f, colour, 0.0f, 0.0f},   {right, top, 0.0f, 1.0f, colour, u, 0.0f},
        {right, bottom, 0.0f, 1.0f, colour, u, v},     {left, top, 0.0f, 1.0f, colour, 0.0f, 0.0f},
        {right, bottom, 0.0f, 1.0f, colour, u, v},     {left, bottom, 0.0f, 1.0f, colour, 0.0f, v},
    };
    line->quad.reset();
    if (device.CreateVertexBuffer(quad, sizeof quad, kFvfXyzRhw | fvf::kDiffuse | fvf::kTex1,
                                  line->quad) != hr::kOk ||
        !line->quad) {
        line->quad.reset();
        return nullptr;
    }
    line->quadX = x;
    line->quadY = y;
    line->quadColour = colour;
    return line;
}

void OverlayTextDrawer::Prepare(RenderDevice &device, const std::string &text, int32_t x, int32_t y,
                                int size, Color colour) {
    bool nothingToShow = false;
    Ready(device, text, x, y, size, colour, nothingToShow);
}

bool OverlayTextDrawer::Draw(RenderDevice &device, const std::string &text, int32_t x, int32_t y,
                             int size, Color colour, uint32_t cullState) {
    bool nothingToShow = false;
    CachedLine *line = Ready(device, text, x, y, size, colour, nothingToShow);
    if (line == nullptr) return nothingToShow;
    // The text must not hide the parts drawn after it, nor be culled.
    device.SetRenderState(rs::kZEnable, kFalse);
    device.SetRenderState(rs::kZWriteEnable, kFalse);
    device.SetRenderState(rs::kCullMode, kCullNone);
    device.SetTexture(0, line->texture.get());
    device.SetVertexShader(kFvfXyzRhw | fvf::kDiffuse | fvf::kTex1);
    device.SetStreamSource(0, line->quad.get(), sizeof(TextVertex));
    const HResult result = device.DrawPrimitive(kTriangleList, 0, 2);
    device.SetTexture(0, nullptr);
    device.SetRenderState(rs::kZEnable, kZBufferTrue);
    device.SetRenderState(rs::kZWriteEnable, kTrue);
    device.SetRenderState(rs::kCullMode, cullState);
    return result == hr::kOk;
}

}  // namespace morvel::render
