// glTF 2.0 files (.gltf with embedded or external buffers, .glb) into the
// importers' data. External files are read only from the file's own folder
// and below it: a URI that climbs out ("../"), is absolute, names a drive
// or a scheme, or uses '\' is refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "formats/gltf/gltf_data.h"

namespace morvel::formats::gltf {

// hostFolder: where relative URIs lead (empty: no external file at all).
// False with one line for a file that cannot be read as glTF; what is only
// left out (a primitive of lines, a channel without keys) becomes a warning.
bool ReadGltf(const uint8_t *data, size_t size, const std::string &hostFolder, Document &out,
              std::string &error);

// The whole file at hostPath, its folder as the external files' folder.
bool ReadGltfFile(const std::string &hostPath, Document &out, std::string &error);

// True for a decoded URI that stays inside the file's folder.
bool IsContainedUri(const std::string &uri);

}  // namespace morvel::formats::gltf
