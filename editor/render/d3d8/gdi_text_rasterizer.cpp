#include "render/d3d8/gdi_text_rasterizer.h"

#include <cstring>

namespace morvel::render::d3d8 {

GdiTextRasterizer::GdiTextRasterizer(int pixelHeight) {
    dc_ = CreateCompatibleDC(nullptr);
    // "ＭＳ ゴシック" in code page 932; the font mapper substitutes a
    // Japanese face where it is missing because of the character set.
    font_ = CreateFontA(-pixelHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                        FIXED_PITCH | FF_MODERN, "ＭＳ ゴシック");
}

GdiTextRasterizer::~GdiTextRasterizer() {
    if (font_) DeleteObject(font_);
    if (dc_) DeleteDC(dc_);
}

bool GdiTextRasterizer::RasterizeText(const std::string &text, TextBitmap &out) {
    if (dc_ == nullptr || font_ == nullptr || text.empty()) return false;
    HGDIOBJ oldFont = SelectObject(dc_, font_);
    SIZE extent{};
    GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &extent);
    if (extent.cx <= 0 || extent.cy <= 0 || extent.cx > 2048 || extent.cy > 256) {
        SelectObject(dc_, oldFont);
        return false;
    }

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = extent.cx;
    info.bmiHeader.biHeight = -extent.cy;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr || bits == nullptr) {
        SelectObject(dc_, oldFont);
        return false;
    }
    HGDIOBJ oldBitmap = SelectObject(dc_, bitmap);
    std::memset(bits, 0, size_t(extent.cx) * extent.cy * 4);
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, RGB(255, 255, 255));
    TextOutA(dc_, 0, 0, text.c_str(), static_cast<int>(text.size()));
    GdiFlush();

    out.width = static_cast<uint32_t>(extent.cx);
    out.height = static_cast<uint32_t>(extent.cy);
    out.coverage.resize(size_t(out.width) * out.height);
    const auto *pixels = static_cast<const uint8_t *>(bits);
    for (size_t i = 0; i < out.coverage.size(); ++i) out.coverage[i] = pixels[i * 4 + 1];

    SelectObject(dc_, oldBitmap);
    SelectObject(dc_, oldFont);
    DeleteObject(bitmap);
    return true;
}

}  // namespace morvel::render::d3d8
