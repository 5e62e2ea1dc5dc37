// mvltool imageinfo FILE: what the texture loader makes of an image file.
#include <cstdio>
#include <vector>

#include "command.h"
#include "formats/image/image_decoder.h"
#include "formats/image/image_format.h"
#include "formats/image/texture_loader.h"

namespace mvltool {

int RunImageInfo(const Arguments &args) {
    namespace image = morvel::formats::image;
    if (args.size() != 1) return Fail("usage: mvltool imageinfo FILE");
    std::vector<uint8_t> bytes;
    image::LoadResult r = image::ReadImageFile(args[0], bytes);
    if (!r.ok) return Fail(r.error);
    image::TextureData texture;
    r = image::LoadTextureFromMemory(bytes.data(), bytes.size(), texture);
    if (!r.ok) return Fail(args[0] + ": " + r.error);

    const image::TextureLevel &top = texture.levels.front();
    std::printf("file %s\n", image::ImageFileFormatName(image::DetectImageFormat(bytes.data(), bytes.size())));
    std::printf("image %u %u\n", texture.imageWidth, texture.imageHeight);
    std::printf("texture %u %u\n", top.width, top.height);
    std::printf("levels %zu\n", texture.levels.size());
    std::printf("format %s\n", image::TextureFormatName(texture.format));
    return 0;
}

}  // namespace mvltool
