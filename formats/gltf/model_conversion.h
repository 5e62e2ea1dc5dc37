// tinygltf's model into the importers' data, every index and accessor
// checked (tinygltf checks the JSON's shape, not what its numbers point at).
#pragma once

#include <tiny_gltf.h>

#include <string>

#include "formats/gltf/gltf_data.h"

namespace morvel::formats::gltf {

bool ConvertModel(const tinygltf::Model &model, Document &out, std::string &error);

}  // namespace morvel::formats::gltf
