#include <cstdio>
#include <cstring>

#include "command.h"
#include "morvel/version.h"
#include "mvllib/mvllib.h"

namespace mvltool {

bool TakeOption(Arguments &args, const std::string &name, std::string &value) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != name) continue;
        if (i + 1 >= args.size()) return false;
        value = args[i + 1];
        args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
        return true;
    }
    return false;
}

int Fail(const std::string &message) {
    std::fprintf(stderr, "mvltool: %s\n", message.c_str());
    return 1;
}

}  // namespace mvltool

namespace {

struct Command {
    const char *name;
    const char *usage;
    int (*run)(const mvltool::Arguments &);
    const char *notes = nullptr;  // more lines of usage, each indented
};

constexpr const char *kGltfNotes =
    "one scene and one animation per motion (N: motion N only, from 0), F key frames a\n"
    "second (1 to 60, default 10); a .gltf embeds its buffer and writes each texture as\n"
    "FILE_NAME.png or .jpg beside it. A part whose X file cannot be read is left out\n"
    "with a warning. Each slot node carries the colour offsets in extras.colourOffsets,\n"
    "one {\"frame\": K, \"ambient\": [R, G, B, A], \"diffuse\": [R, G, B, A]} per frame\n"
    "that has the position. A part with offsets gets its materials animated through\n"
    "KHR_animation_pointer: baseColorFactor = clamp(X diffuse + diffuse offset, 0, 1),\n"
    "emissiveFactor = clamp(0.435 x ambient offset, 0, 1) (the editor's ambient light);\n"
    "viewers without the extension show the mesh colours. A slot that changes or\n"
    "misses its part moves in STEPs, as do colours of a part missing from a frame.\n"
    "--loop adds a closing key, one frame after the last, equal to the first.";

constexpr const char *kGltfImportNotes =
    "a figure in FOLDER: a motion file named after the input, one X file per mesh,\n"
    "its base-colour textures as PNG. Every node with a mesh becomes a part named\n"
    "after it; each animation a motion sampled F times a second over its whole time\n"
    "range (default 10; --keys: one frame per key time), no animation one frame of\n"
    "the rest pose. Each frame bakes the node hierarchy into every part's scale,\n"
    "rotation in whole degrees and translation; Z is mirrored into the editor's\n"
    "left-handed view, so the figure looks as in glTF viewers. Skins and morph\n"
    "targets are left out with a warning. FOLDER must not exist (--force replaces it).";

constexpr const char *kObjImportNotes =
    "a figure in FOLDER: one part per object or group (--single: one part), the\n"
    "materials of its .mtl with their diffuse textures as PNG, one motion of one frame.";

const Command kCommands[] = {
    {"info", "info FILE.mvl [--code CODE]", mvltool::RunInfo},
    {"dump", "dump FILE.mvl [--code CODE]", mvltool::RunDump},
    {"build", "build FILE.json -o FILE.mvl", mvltool::RunBuild},
    {"export", "export FILE.mvl --motion K -o FILE.mvx [--code CODE]", mvltool::RunExport},
    {"import", "import FILE.mvl FILE.mvx -o OUT.mvl [--code CODE]", mvltool::RunImport},
    {"imageinfo", "imageinfo FILE", mvltool::RunImageInfo},
    {"xinfo", "xinfo FILE.x", mvltool::RunXInfo},
    {"gltf", "gltf FILE.mvl -o FILE.gltf|FILE.glb [--motion N] [--code CODE] [--fps F] [--loop]",
     mvltool::RunGltf, kGltfNotes},
    {"gltf-import", "gltf-import FILE.gltf|FILE.glb -o FOLDER [--fps F] [--keys] [--force]",
     mvltool::RunGltfImport, kGltfImportNotes},
    {"obj-import", "obj-import FILE.obj -o FOLDER [--single] [--force]", mvltool::RunObjImport,
     kObjImportNotes},
};

int Usage() {
    std::fprintf(stderr, "usage:\n  mvltool --version\n");
    for (const Command &c : kCommands) {
        std::fprintf(stderr, "  mvltool %s\n", c.usage);
        for (const char *line = c.notes; line != nullptr && *line != '\0';) {
            const char *end = std::strchr(line, '\n');
            const int length = end ? static_cast<int>(end - line) : static_cast<int>(std::strlen(line));
            std::fprintf(stderr, "      %.*s\n", length, line);
            line = end ? end + 1 : line + length;
        }
    }
    return 2;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc < 2) return Usage();
    if (std::strcmp(argv[1], "--version") == 0) {
        char library[8] = {};
        std::printf("mvltool %s, MvlLib %s\n", MORVEL_PROGRAM_VERSION,
                    Mvl_Func_GetVersion(library));
        return 0;
    }
    for (const Command &c : kCommands) {
        if (std::strcmp(argv[1], c.name) == 0) {
            return c.run(mvltool::Arguments(argv + 2, argv + argc));
        }
    }
    return Usage();
}
