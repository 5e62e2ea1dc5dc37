// A figure built in memory before anything is written: the files of its
// folder (X files, textures) and the motion document's tables, in vectors
// this code owns. Nothing here is ever handed to MvlLib's release functions.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mvllib/mvllib.h"

namespace morvel::convert {

struct FigureFile {
    std::string name;  // code page 932, a plain file name (no folder)
    std::string bytes;  // the file as it is written
};

struct FigureMotion {
    MotionEntry entry{};  // name; frameCount and frames are filled when written
    std::vector<FrameEntry> frames;
    std::vector<std::vector<PositionEntry>> positions;  // per frame
};

struct Figure {
    MotionFileHeader header{};
    std::vector<FigureFile> files;
    std::vector<PartEntry> parts;
    std::vector<FigureMotion> motions;

    // A document whose tables point into this figure (valid while it lives
    // and is not changed).
    MotionDocument View();

private:
    std::vector<MotionEntry> motionTable_;
};

// Every position a figure may hold over all its motions: a motion file of
// 128-byte records stays below a gigabyte.
constexpr size_t kMaxFigurePositions = size_t{1} << 23;

}  // namespace morvel::convert
