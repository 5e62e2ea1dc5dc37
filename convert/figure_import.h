// Figures from the files other tools make, for mvltool and the editor's
// menu: plain functions over paths and options that report messages and
// write a folder (a motion file, its X files and textures) that the editor
// then opens. No document allocated here ever reaches the caller.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "convert/figure.h"

namespace morvel::convert {

struct ImportReport {
    bool ok = false;
    std::string error;                  // one line (code page 932) when !ok
    std::vector<std::string> warnings;  // what was left out or approximated (code page 932)
    std::string motionFile;             // host path of the motion file written
    size_t parts = 0, motions = 0, frames = 0;
};

struct GltfImportOptions {
    double framesPerSecond = 10;
    bool keyFrames = false;  // one frame per distinct key time instead
    bool replace = false;    // an existing folder is replaced
    size_t maxPositions = kMaxFigurePositions;
    // Node transforms and channel samples evaluated over all frames: the
    // time an import may take.
    size_t maxSamples = size_t{1} << 26;
    // Largest distance rounding to whole degrees may move a corner of a
    // part's box, relative to the box's diagonal, before it is reported: one
    // percent, which a turn of half a degree about each axis reaches only
    // near its worst.
    double roundingTolerance = 0.01;
};

struct ObjImportOptions {
    bool singlePart = false;
    bool replace = false;
};

// input: a .gltf or .glb; folder: the figure's folder, which must not exist
// unless options.replace. The motion file is named after the input.
ImportReport ImportGltf(const std::string &input, const std::string &folder,
                        const GltfImportOptions &options);
ImportReport ImportObj(const std::string &input, const std::string &folder,
                       const ObjImportOptions &options);

}  // namespace morvel::convert
