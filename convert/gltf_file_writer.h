// Writing an exported model: a .glb holding everything, or a .gltf (its
// buffer embedded) with the texture images as files beside it.
#pragma once

#include <string>

#include "convert/gltf_export.h"

namespace morvel::convert {

// Every file goes to a temporary file beside its target first; the targets
// are replaced only after all of them were written, the images before the
// file that refers to them. False with a one-line error otherwise.
bool WriteGltf(const ExportResult &result, const std::string &path, bool binary,
               std::string &error);

// The folder part of a host path, with its trailing separator; empty for a
// bare file name.
std::string HostFolderOf(const std::string &path);

}  // namespace morvel::convert
