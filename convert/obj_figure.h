// An OBJ document as a figure in memory: one part per object or group (or
// one for all), each an X file with the materials its faces use and their
// diffuse textures as PNG, and one motion of one frame that shows every
// part where the file put it. Z is mirrored and the texture rows turned as
// for glTF (see pose_decomposition.h): the figure looks as in OBJ viewers.
#pragma once

#include <string>
#include <vector>

#include "convert/figure.h"
#include "convert/figure_import.h"
#include "formats/obj/obj_data.h"

namespace morvel::convert {

// textureFolder: the host folder (with its separator, or empty) the
// materials' texture names are read from.
bool BuildObjFigure(const formats::obj::Document &document, const std::string &textureFolder,
                    const ObjImportOptions &options, Figure &figure, std::vector<std::string> &warnings,
                    std::string &error);

}  // namespace morvel::convert
