// Overlay text rendered with GDI: a Japanese-capable font drawn into a
// 32-bit DIB section, whose grey levels become the coverage.
#pragma once

#include <windows.h>

#include "render/overlay_text.h"

namespace morvel::render::d3d8 {

class GdiTextRasterizer : public TextRasterizer {
public:
    // pixelHeight: the cell height of the font; 14 fits the 16-pixel lines.
    explicit GdiTextRasterizer(int pixelHeight = 14);
    ~GdiTextRasterizer() override;
    GdiTextRasterizer(const GdiTextRasterizer &) = delete;
    GdiTextRasterizer &operator=(const GdiTextRasterizer &) = delete;

    bool RasterizeText(const std::string &text, TextBitmap &out) override;

private:
    HDC dc_ = nullptr;
    HFONT font_ = nullptr;
};

}  // namespace morvel::render::d3d8
