// Arbitrary bytes as the JSON file of mvltool build: the build must end in
// one line naming what is wrong, or in a document that is written as a
// motion file and reads back the same.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "document_json.h"
#include "formats/motion/motion_file_writer.h"
#include "json_build.h"
#include "mvllib/mvllib.h"

namespace {

// A memory-backed folder where there is one: a file per accepted input
// would otherwise cost a disk write.
const std::string &OutputPath() {
    static const std::string path =
        std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + "/json_build_fuzzer_" +
        std::to_string(getpid()) + ".mvl";
    return path;
}

bool OneLine(const std::string &text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    }
    return !text.empty();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    MotionDocument built;
    Mvl_Func_ObjectInit(&built);
    built.parts = nullptr;
    built.motions = nullptr;
    std::string error;
    if (!mvltool::DocumentFromJsonText(std::string(reinterpret_cast<const char *>(data), size),
                                       built, error)) {
        if (!OneLine(error) || built.parts != nullptr || built.motions != nullptr) std::abort();
        return 0;
    }
    if (!morvel::formats::motion::WriteMotionFile(built, OutputPath())) std::abort();
    MotionDocument reloaded;
    Mvl_Func_ObjectInit(&reloaded);
    // The stored code may fill its whole field without a terminator.
    const std::string userCode(built.header.userCode,
                               strnlen(built.header.userCode, sizeof built.header.userCode));
    const int code = Mvl_Func_Load(&reloaded, OutputPath().c_str(), userCode.c_str());
    // A stored magic other than "MVL1" is kept by build and refused by the loader.
    if (code == MVL_LOAD_BAD_MAGIC && std::string(built.header.magic, 4) != "MVL1") {
        Mvl_Func_Delete(&built);
        return 0;
    }
    if (code != MVL_LOAD_OK) std::abort();
    if (mvltool::DocumentToJson(built) != mvltool::DocumentToJson(reloaded)) std::abort();
    Mvl_Func_Delete(&reloaded);
    Mvl_Func_Delete(&built);
    return 0;
}
