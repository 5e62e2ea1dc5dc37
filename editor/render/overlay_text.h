// The overlay lines about the selected motion, frame and position, and the
// drawer that makes them visible: a platform text rasterizer turns a line
// into coverage bytes, which become a texture drawn as a screen-space quad.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "render/render_device.h"
#include "render/scene_document.h"

namespace morvel::render {

// The overlay's `size` argument: the most bytes of a line that are drawn
// (a 64-byte line in the 8-pixel font fills 512 pixels of the 640-pixel
// view); a longer line ends there, never inside a double-byte character.
constexpr int kOverlayTextSize = 64;

struct OverlayLine {
    std::string text;
    int32_t y = 0;
};

// Up to three lines: motion, frame (when the motion has frames), position
// (when the frame has positions too). Nothing without parts or motions.
std::vector<OverlayLine> FormatOverlayLines(const SceneDocument &scene, const Rect &presentRect);

// One line of text as 8-bit coverage, rows top to bottom.
struct TextBitmap {
    uint32_t width = 0, height = 0;
    std::vector<uint8_t> coverage;  // width * height bytes
};

class TextRasterizer {
public:
    virtual ~TextRasterizer() = default;
    // Renders code page 932 text; false when it cannot.
    virtual bool RasterizeText(const std::string &text, TextBitmap &out) = 0;
};

// Caches one texture and one quad per distinct line, so redraws of
// unchanged lines cost one draw each. Both live in the managed pool and
// survive resets.
class OverlayTextDrawer {
public:
    void SetRasterizer(TextRasterizer *rasterizer) { rasterizer_ = rasterizer; }
    bool HasRasterizer() const { return rasterizer_ != nullptr; }
    void Clear() { cache_.clear(); }

    // Draws the first `size` bytes of text with its top-left at (x, y) of the
    // back buffer, in colour (its alpha scales the coverage). Depth and cull
    // states are switched off for the quad and then restored: depth to on,
    // culling to cullState (the D3DCULL value the device held).
    bool Draw(RenderDevice &device, const std::string &text, int32_t x, int32_t y, int size,
              Color colour, uint32_t cullState);
    // Makes what Draw needs for the line ahead of a frame: a texture or
    // buffer filled while the driver still draws would wait for it.
    void Prepare(RenderDevice &device, const std::string &text, int32_t x, int32_t y, int size,
                 Color colour);

private:
    struct CachedLine {
        std::string text;
        uint32_t width = 0, height = 0;  // of the text inside the texture
        uint32_t textureWidth = 0, textureHeight = 0;
        std::unique_ptr<DeviceTexture> texture;
        std::unique_ptr<VertexBuffer>
            quad;  // XYZRHW | DIFFUSE | TEX1, at quadX, quadY in quadColour
        int32_t quadX = 0, quadY = 0;
        Color quadColour = 0;
    };
    CachedLine *Find(RenderDevice &device, const std::string &text);
    // The line's texture and its quad at (x, y) in colour; nullptr when
    // either cannot be made, or (nothingToShow) when the line draws nothing:
    // an empty text, or no rasterizer.
    CachedLine *Ready(RenderDevice &device, const std::string &text, int32_t x, int32_t y, int size,
                      Color colour, bool &nothingToShow);

    TextRasterizer *rasterizer_ = nullptr;
    std::vector<CachedLine> cache_;  // most recently used last
};

// The A8R8G8B8 texture image for a bitmap: white, alpha = coverage, padded
// to powers of two, one level.
TextureImage TextTextureImage(const TextBitmap &bitmap);

}  // namespace morvel::render
