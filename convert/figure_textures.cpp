#include "convert/figure_textures.h"

#include "formats/image/image_decoder.h"
#include "formats/image/image_format.h"
#include "formats/image/png_encoder.h"

namespace morvel::convert {

namespace image = formats::image;

bool TextureAsPng(const std::vector<uint8_t> &encoded, std::vector<uint8_t> &png, std::string &error) {
    image::ArgbImage decoded;
    const image::LoadResult read = image::DecodeImage(encoded.data(), encoded.size(), decoded);
    if (!read.ok) {
        error = "cannot be decoded: " + read.error;
        return false;
    }
    if (image::DetectImageFormat(encoded.data(), encoded.size()) == image::ImageFileFormat::Png) {
        png = encoded;
        return true;
    }
    png = image::EncodePng(decoded);
    if (png.empty()) {
        error = "cannot be converted to PNG";
        return false;
    }
    return true;
}

}  // namespace morvel::convert
