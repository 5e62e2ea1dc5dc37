// gltf: a motion file's figure and motions as a glTF 2.0 file.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "command.h"
#include "mvllib/mvllib.h"
#include "base/windows_path.h"
#include "convert/gltf_export.h"
#include "convert/gltf_file_writer.h"
#include "text_conversion.h"

namespace mvltool {
namespace {

constexpr const char *kUsage =
    "usage: mvltool gltf FILE.mvl -o FILE.gltf|FILE.glb [--motion N] [--code CODE] [--fps F] [--loop]";

// A whole number from min to max, written in plain digits.
bool ParseNumber(const std::string &text, int min, int max, int &out) {
    if (text.empty() || text.size() > 5) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    out = static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
    return out >= min && out <= max;
}

}  // namespace

int RunGltf(const Arguments &given) {
    Arguments args = given;
    std::string output, code, motionText, fpsText;
    TakeOption(args, "--code", code);
    const bool oneMotion = TakeOption(args, "--motion", motionText);
    const bool fpsGiven = TakeOption(args, "--fps", fpsText);
    const auto loop = std::find(args.begin(), args.end(), "--loop");
    const bool looping = loop != args.end();
    if (looping) args.erase(loop);
    if (!TakeOption(args, "-o", output) || args.size() != 1) return Fail(kUsage);

    morvel::convert::ExportOptions options;
    options.loop = looping;
    if (oneMotion && !ParseNumber(motionText, 0, 65534, options.motion)) {
        return Fail("--motion: not a motion index: " + motionText);
    }
    if (fpsGiven && !ParseNumber(fpsText, 1, 60, options.framesPerSecond)) {
        return Fail("--fps: not a whole number from 1 to 60: " + fpsText);
    }
    options.binary = morvel::base::HasExtension(output, ".glb");
    if (!options.binary && !morvel::base::HasExtension(output, ".gltf")) {
        return Fail("-o: " + output + ": the name must end in .gltf or .glb");
    }
    options.imageStem = morvel::convert::AsciiStem(output);

    MotionDocument document;
    Mvl_Func_ObjectInit(&document);
    const int loaded = Mvl_Func_Load(&document, args[0].c_str(), CommandLineCode(code).c_str());
    if (loaded != MVL_LOAD_OK) return Fail(args[0] + ": " + LoadFailureText(loaded));
    const morvel::convert::ExportResult result =
        morvel::convert::BuildGltf(document, morvel::convert::HostFolderOf(args[0]), options);
    Mvl_Func_Delete(&document);
    if (!result.ok) return Fail(args[0] + ": " + result.error);
    for (const std::string &warning : result.warnings) {
        std::fprintf(stderr, "mvltool: warning: %s\n", warning.c_str());
    }
    std::string error;
    if (!morvel::convert::WriteGltf(result, output, options.binary, error)) return Fail(error);
    return 0;
}

}  // namespace mvltool
