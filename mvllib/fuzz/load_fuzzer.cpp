// Arbitrary bytes as a motion file: the loader must end in a status code,
// leave the destination as it was on failure, and leak nothing.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "mvllib/mvllib.h"

namespace {

std::string FuzzFilePath() {
    static const std::string path = "/tmp/mvl_load_fuzzer_" + std::to_string(getpid()) + ".mvl";
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string path = FuzzFilePath();
    std::FILE *f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return 0;
    if (size > 0) std::fwrite(data, 1, size, f);
    std::fclose(f);

    MotionDocument document;
    Mvl_Func_ObjectInit(&document);
    MotionDocument before = document;
    // The first byte of the input doubles as the length of the user code tried.
    const std::string code = size > 0 ? std::string(data[0] % 3, 'a') : std::string();
    const int result = Mvl_Func_Load(&document, path.c_str(), code.c_str());
    if (result < -3 || result > 0) std::abort();
    if (result != 0 && std::memcmp(&before, &document, sizeof document) != 0) std::abort();
    if (result == 0) {
        // Walk everything that was loaded so that a wrong count shows up as an overflow.
        uint64_t sum = 0;
        for (unsigned m = 0; m < document.header.motionCount; ++m) {
            const MotionEntry &motion = document.motions[m];
            for (unsigned fr = 0; fr < motion.frameCount; ++fr) {
                const FrameEntry &frame = motion.frames[fr];
                for (unsigned p = 0; p < frame.positionCount; ++p) {
                    sum += static_cast<uint16_t>(frame.positions[p].partNumber);
                }
            }
        }
        for (unsigned p = 0; p < document.header.partCount; ++p) sum += document.parts[p].fileName[0];
        MotionDocument copy;
        Mvl_Func_ObjectInit(&copy);
        if (Mvl_Func_Copy(&copy, &document) != 1) std::abort();
        Mvl_Func_Delete(&copy);
        // Kept only so that the walk is not optimised away.
        static volatile uint64_t sink;
        sink = sum;
    }
    Mvl_Func_Delete(&document);
    return 0;
}
