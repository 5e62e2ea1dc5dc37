// The parts' texture files as glTF images and textures. PNG and JPEG, which
// glTF viewers read, keep their bytes; every other format the editor reads
// (BMP, TGA, PPM, DDS) is decoded and written as PNG. Every file is decoded
// first, so a file the editor could not show is not exported either.
#pragma once

#include <tiny_gltf.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "convert/gltf_buffer.h"

namespace morvel::convert {

// An image a .gltf refers to by name, to be written beside it.
struct ExternalImage {
    std::string fileName;
    std::vector<uint8_t> bytes;
};

struct TextureResult {
    int texture = -1;          // -1 when the file cannot be used
    bool translucent = false;  // some pixel's alpha is below 255
    std::string error;
};

class TextureImages {
public:
    // embed: the images go into the buffer (.glb). Otherwise each becomes a
    // file named fileStem_NAME.png (or .jpg) beside the output; fileStem
    // must be plain ASCII.
    TextureImages(tinygltf::Model &model, BufferBuilder &buffer, bool embed, std::string fileStem);

    // hostPath opens the file; textureName is the name the X file gives
    // (code page 932), from which the image file's name is made. The same
    // path gives the same texture.
    TextureResult TextureFor(const std::string &hostPath, const std::string &textureName);

    const std::vector<ExternalImage> &ExternalImages() const { return external_; }

private:
    std::string UniqueFileName(const std::string &textureName, const char *extension);
    int Sampler();

    tinygltf::Model &model_;
    BufferBuilder &buffer_;
    bool embed_;
    std::string fileStem_;
    std::map<std::string, TextureResult> byPath_;
    std::set<std::string> usedNames_;
    std::vector<ExternalImage> external_;
    int sampler_ = -1;
};

// The file name part of a texture name ('\' and '/' separate, code page 932
// aware) without its extension, with every byte outside [A-Za-z0-9_-]
// replaced by '_'; "texture" when nothing is left.
std::string AsciiStem(const std::string &name);

}  // namespace morvel::convert
