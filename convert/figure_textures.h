// Texture images for a figure's folder: PNG, which the editor reads, kept
// byte for byte; anything else the editor's decoders read (JPEG, ...)
// decoded and written as PNG. An image the decoders refuse is refused here
// too, so the editor never meets a texture it cannot show.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace morvel::convert {

bool TextureAsPng(const std::vector<uint8_t> &encoded, std::vector<uint8_t> &png, std::string &error);

}  // namespace morvel::convert
