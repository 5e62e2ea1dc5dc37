#include "convert/texture_images.h"

#include <utility>

#include "base/windows_path.h"
#include "formats/image/image_decoder.h"
#include "formats/image/image_format.h"
#include "formats/image/png_encoder.h"

namespace morvel::convert {
namespace {

namespace image = morvel::formats::image;

// The editor sets no texture filters, so Direct3D's defaults apply: point
// sampling without mip maps, coordinates wrapping.
constexpr int kNearest = 9728;

bool HasTranslucentPixel(const image::ArgbImage &decoded) {
    if (!decoded.hasAlpha) return false;
    for (const uint32_t argb : decoded.pixels) {
        if ((argb >> 24) != 0xFF) return true;
    }
    return false;
}

bool PlainByte(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-';
}

}  // namespace

std::string AsciiStem(const std::string &name) {
    std::string stem = name.substr(morvel::base::FileNameStart(name));
    const size_t dot = stem.rfind('.');
    if (dot != std::string::npos && dot > 0) stem.resize(dot);
    for (char &c : stem) {
        if (!PlainByte(c)) c = '_';
    }
    return stem.empty() ? "texture" : stem;
}

TextureImages::TextureImages(tinygltf::Model &model, BufferBuilder &buffer, bool embed,
                             std::string fileStem)
    : model_(model), buffer_(buffer), embed_(embed), fileStem_(std::move(fileStem)) {}

TextureResult TextureImages::TextureFor(const std::string &hostPath,
                                        const std::string &textureName) {
    const auto known = byPath_.find(hostPath);
    if (known != byPath_.end()) return known->second;
    TextureResult &result = byPath_[hostPath];

    std::vector<uint8_t> bytes;
    image::LoadResult read = image::ReadImageFile(hostPath, bytes);
    image::ArgbImage decoded;
    if (read.ok) read = image::DecodeImage(bytes.data(), bytes.size(), decoded);
    if (!read.ok) {
        result.error = read.error;
        return result;
    }
    result.translucent = HasTranslucentPixel(decoded);

    const image::ImageFileFormat format = image::DetectImageFormat(bytes.data(), bytes.size());
    const bool jpeg = format == image::ImageFileFormat::Jpg;
    if (format != image::ImageFileFormat::Png && !jpeg) {
        bytes = image::EncodePng(decoded);
        if (bytes.empty()) {
            result.error = "cannot be converted to PNG";
            return result;
        }
    }

    tinygltf::Image gltfImage;
    if (embed_) {
        gltfImage.bufferView = buffer_.AddView(bytes.data(), bytes.size(), 0);
        gltfImage.mimeType = jpeg ? "image/jpeg" : "image/png";
    } else {
        gltfImage.uri = UniqueFileName(textureName, jpeg ? ".jpg" : ".png");
        external_.push_back({gltfImage.uri, std::move(bytes)});
    }
    model_.images.push_back(gltfImage);

    tinygltf::Texture texture;
    texture.sampler = Sampler();
    texture.source = static_cast<int>(model_.images.size() - 1);
    model_.textures.push_back(texture);
    result.texture = static_cast<int>(model_.textures.size() - 1);
    return result;
}

std::string TextureImages::UniqueFileName(const std::string &textureName, const char *extension) {
    const std::string base = fileStem_ + "_" + AsciiStem(textureName);
    std::string name = base + extension;
    for (int n = 2; !usedNames_.insert(name).second; ++n) {
        name = base + "_" + std::to_string(n) + extension;
    }
    return name;
}

int TextureImages::Sampler() {
    if (sampler_ < 0) {
        tinygltf::Sampler sampler;
        sampler.magFilter = kNearest;
        sampler.minFilter = kNearest;
        model_.samplers.push_back(sampler);
        sampler_ = static_cast<int>(model_.samplers.size() - 1);
    }
    return sampler_;
}

}  // namespace morvel::convert
