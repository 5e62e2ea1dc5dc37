// Reads back what a window shows on the screen, for the display tests.
// Wine's IDirect3DDevice8::GetFrontBuffer returns a black image for a
// windowed device under Xvfb, so the presented pixels are read from the
// screen through GDI instead: they are exactly what the front buffer shows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace morvel::displaytest {

struct Capture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, top row first

    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The client area of window as the screen shows it now.
Capture CaptureClientArea(HWND window);

// Writes the capture as a PNG (a host path seen through Wine, e.g. Z:\...).
bool SavePng(const Capture &capture, const std::string &path);

// Dispatches pending messages for about ms milliseconds, so that the window
// system maps and repaints windows before a capture.
void PumpMessages(int ms = 200);

}  // namespace morvel::displaytest
