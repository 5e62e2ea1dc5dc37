// A motion document as a glTF 2.0 model: one mesh per part (from its X
// file), one scene and one animation per motion.
#pragma once

#include <tiny_gltf.h>

#include <string>
#include <vector>

#include "mvllib/mvllib.h"
#include "convert/texture_images.h"

namespace morvel::convert {

struct ExportOptions {
    int motion = -1;  // -1: every motion
    int framesPerSecond = 10;
    bool loop = false;  // a closing key repeats the first frame
    bool binary = false;  // .glb: the images go into the buffer
    // .gltf: the images become files named imageStem_NAME.png beside it.
    std::string imageStem = "texture";
};

struct ExportResult {
    bool ok = false;
    std::string error;                  // one line, when !ok
    std::vector<std::string> warnings;  // parts and textures left out
    tinygltf::Model model;
    std::vector<ExternalImage> images;  // .gltf: the files to write beside it
};

// partFolder is the host folder relative part file names are found in (the
// motion file's folder, as the editor makes it the current folder when it
// opens a file), empty or ending in a separator. A part whose X file cannot
// be loaded is left out with a warning, as the editor leaves it undrawn and
// keeps the document; a position naming no part of the table, or holding a
// number single precision cannot carry, fails the export.
ExportResult BuildGltf(const MotionDocument &document, const std::string &partFolder,
                       const ExportOptions &options);

}  // namespace morvel::convert
