// gltf-import and obj-import: a figure folder from the files other tools make.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "command.h"
#include "convert/figure_import.h"
#include "text_conversion.h"

namespace mvltool {
namespace {

bool TakeFlag(Arguments &args, const std::string &name) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != name) continue;
        args.erase(args.begin() + static_cast<long>(i));
        return true;
    }
    return false;
}

int Report(const morvel::convert::ImportReport &report, const std::string &input) {
    for (const std::string &warning : report.warnings) {
        std::fprintf(stderr, "mvltool: warning: %s\n", ConsoleText(warning).c_str());
    }
    if (!report.ok) return Fail(input + ": " + ConsoleText(report.error));
    std::printf("%s: %zu parts, %zu motions, %zu frames\n", report.motionFile.c_str(), report.parts,
                report.motions, report.frames);
    return 0;
}

}  // namespace

int RunGltfImport(const Arguments &given) {
    constexpr const char *kUsage = "usage: mvltool gltf-import FILE.gltf|FILE.glb -o FOLDER [--fps F] [--keys] [--force]";
    Arguments args = given;
    morvel::convert::GltfImportOptions options;
    options.keyFrames = TakeFlag(args, "--keys");
    options.replace = TakeFlag(args, "--force");
    std::string folder, fps;
    if (TakeOption(args, "--fps", fps)) {
        char *end = nullptr;
        options.framesPerSecond = std::strtod(fps.c_str(), &end);
        if (fps.empty() || *end != '\0' || !(options.framesPerSecond > 0) ||
            !(options.framesPerSecond <= 1000)) {
            return Fail("--fps: not a number above 0 and at most 1000: " + fps);
        }
    }
    if (!TakeOption(args, "-o", folder) || args.size() != 1) return Fail(kUsage);
    return Report(morvel::convert::ImportGltf(args[0], folder, options), args[0]);
}

int RunObjImport(const Arguments &given) {
    constexpr const char *kUsage = "usage: mvltool obj-import FILE.obj -o FOLDER [--single] [--force]";
    Arguments args = given;
    morvel::convert::ObjImportOptions options;
    options.singlePart = TakeFlag(args, "--single");
    options.replace = TakeFlag(args, "--force");
    std::string folder;
    if (!TakeOption(args, "-o", folder) || args.size() != 1) return Fail(kUsage);
    return Report(morvel::convert::ImportObj(args[0], folder, options), args[0]);
}

}  // namespace mvltool
