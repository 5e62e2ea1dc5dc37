#include "render/image/texture_loader.h"

namespace morvel::render::image {

LoadResult LoadTextureFromFile(const std::string &, TextureData &) { return {false, "not implemented"}; }
LoadResult LoadTextureFromMemory(const uint8_t *, size_t, TextureData &) { return {false, "not implemented"}; }
LoadResult LoadTextureFromDib(const uint8_t *, size_t, TextureData &) { return {false, "not implemented"}; }

}  // namespace morvel::render::image
