#include <cstdio>
#include <cstring>

#include "command.h"

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
};

const Command kCommands[] = {
    {"info", "info FILE.mvl [--code CODE]", mvltool::RunInfo},
    {"dump", "dump FILE.mvl [--code CODE]", mvltool::RunDump},
    {"build", "build FILE.json -o FILE.mvl", mvltool::RunBuild},
    {"export", "export FILE.mvl --motion K -o FILE.mvx [--code CODE]", mvltool::RunExport},
    {"import", "import FILE.mvl FILE.mvx -o OUT.mvl [--code CODE]", mvltool::RunImport},
    {"imageinfo", "imageinfo FILE", mvltool::RunImageInfo},
    {"xinfo", "xinfo FILE.x", mvltool::RunXInfo},
};

int Usage() {
    std::fprintf(stderr, "usage:\n");
    for (const Command &c : kCommands) std::fprintf(stderr, "  mvltool %s\n", c.usage);
    return 2;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc < 2) return Usage();
    for (const Command &c : kCommands) {
        if (std::strcmp(argv[1], c.name) == 0) {
            return c.run(mvltool::Arguments(argv + 2, argv + argc));
        }
    }
    return Usage();
}
