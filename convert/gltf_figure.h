// A glTF document as a figure in memory: one part per node with a mesh (its
// mesh one X file, shared meshes written once, named after the first node
// that shows it), one motion per animation sampled into frames, each frame
// placing every part of the animation's scene with its baked world
// transform.
#pragma once

#include <string>
#include <vector>

#include "convert/figure.h"
#include "convert/figure_import.h"
#include "formats/gltf/gltf_data.h"

namespace morvel::convert {

// Warnings are code page 932 lines; false with one line when the document
// cannot become a figure (no mesh, beyond the tables' limits).
bool BuildGltfFigure(const formats::gltf::Document &document, const GltfImportOptions &options,
                     Figure &figure, std::vector<std::string> &warnings, std::string &error);

}  // namespace morvel::convert
