// Arbitrary bytes as a DDS file, through the decoder and the texture loader.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "formats/image/dds_decoder.h"
#include "formats/image/dxt_blocks.h"
#include "formats/image/texture_loader.h"

using namespace morvel::formats::image;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    DdsImage dds;
    LoadResult r = DecodeDds(data, size, dds);
    if (!r.ok) return 0;
    for (const TextureLevel &level : dds.blockLevels)
        if (level.bytes.size() != DxtSurfaceBytes(dds.format, level.width, level.height)) std::abort();
    if (uint64_t{dds.width} * dds.height <= 64 * 64) {
        TextureData texture;
        if (!LoadTextureFromMemory(data, size, texture).ok || texture.levels.empty()) std::abort();
        // Every texture has the whole chain, compressed levels included.
        const TextureLevel &last = texture.levels.back();
        if (last.width != 1 || last.height != 1) std::abort();
        if (DxtBlockBytes(texture.format) != 0) {
            for (const TextureLevel &level : texture.levels)
                if (level.bytes.size() != DxtSurfaceBytes(texture.format, level.width, level.height)) std::abort();
        }
    }
    return 0;
}
