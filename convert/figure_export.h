// The glTF export for the editor's menu and mvltool: a plain function over
// a document, paths and options that reports messages. It only reads the
// document; the files appear only when all of them were written.
#pragma once

#include <string>
#include <vector>

#include "convert/gltf_export.h"
#include "mvllib/mvllib.h"

namespace morvel::convert {

struct ExportReport {
    bool ok = false;
    std::string error;                  // one line when !ok
    std::vector<std::string> warnings;  // parts, textures and offsets left out or approximated
};

// output: FILE.gltf (textures beside it) or FILE.glb (everything inside),
// a host path; partFolder: the host folder the parts' X files follow (the
// motion file's folder), empty or ending in a separator. options.binary and
// options.imageStem follow from output.
ExportReport ExportGltf(const MotionDocument &document, const std::string &partFolder,
                        const std::string &output, ExportOptions options);

}  // namespace morvel::convert
