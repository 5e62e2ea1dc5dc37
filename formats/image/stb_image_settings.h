// How stb_image is configured, for the file that compiles it and the ones
// that call it.
#pragma once

#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_TGA
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_MAX_DIMENSIONS 8192

namespace morvel::formats::image {
constexpr unsigned kStbMaxDimension = STBI_MAX_DIMENSIONS;
}
