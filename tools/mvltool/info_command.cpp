#include <cstdio>
#include <string>

#include "command.h"
#include "mvllib/mvllib.h"

namespace mvltool {
namespace {

const char *LoadResultMeaning(int code) {
    switch (code) {
        case MVL_LOAD_OK: return "loaded";
        case MVL_LOAD_UNREADABLE: return "cannot be read, or ends before a record is complete";
        case MVL_LOAD_BAD_MAGIC: return "not a motion file (wrong magic)";
        case MVL_LOAD_BAD_USER_CODE: return "wrong user code";
        default: return "unknown result";
    }
}

std::string Fixed(const char *bytes, size_t size) {
    std::string text;
    for (size_t i = 0; i < size && bytes[i] != '\0'; ++i) text += bytes[i];
    return text;
}

void PrintHeader(const MotionDocument &d) {
    const MotionFileHeader &h = d.header;
    std::printf("magic %s\n", Fixed(h.magic, 4).c_str());
    std::printf("version %s\n", Fixed(h.version, 4).c_str());
    std::printf("userCode %s\n", Fixed(h.userCode, sizeof h.userCode).c_str());
    std::printf("parts %u\n", h.partCount);
    std::printf("motions %u\n", h.motionCount);
    std::printf("backgroundColour %u %u %u %u\n", h.backgroundColour.r, h.backgroundColour.g,
                h.backgroundColour.b, h.backgroundColour.a);
    std::printf("axisVisible %d\n", h.axisVisible);
    std::printf("axisColour %u %u %u %u\n", h.axisColour.r, h.axisColour.g, h.axisColour.b,
                h.axisColour.a);
    std::printf("statusTextVisible %d\n", h.statusTextVisible);
    std::printf("statusTextColour %u %u %u %u\n", h.statusTextColour.r, h.statusTextColour.g,
                h.statusTextColour.b, h.statusTextColour.a);
    std::printf("cameraElevation %d\n", h.cameraElevation);
    std::printf("cameraAzimuth %d\n", h.cameraAzimuth);
    std::printf("cameraDistance %d\n", h.cameraDistance);
    std::printf("cullingMode %d\n", h.cullingMode);
    std::printf("rightHanded %d\n", h.rightHanded);
    std::printf("axisDirection %d\n", h.axisDirection);
    std::printf("initialScale %f %f %f\n", h.initialScale.x, h.initialScale.y, h.initialScale.z);
    std::printf("initialAmbient %f %f %f %f\n", h.initialAmbient.r, h.initialAmbient.g,
                h.initialAmbient.b, h.initialAmbient.a);
    std::printf("initialDiffuse %f %f %f %f\n", h.initialDiffuse.r, h.initialDiffuse.g,
                h.initialDiffuse.b, h.initialDiffuse.a);
}

void PrintTotals(const MotionDocument &d) {
    unsigned long frames = 0;
    unsigned long positions = 0;
    for (unsigned m = 0; m < d.header.motionCount; ++m) {
        const MotionEntry &motion = d.motions[m];
        frames += motion.frameCount;
        for (unsigned f = 0; f < motion.frameCount; ++f) positions += motion.frames[f].positionCount;
    }
    std::printf("frames %lu\n", frames);
    std::printf("positions %lu\n", positions);
}

}  // namespace

int RunInfo(const Arguments &given) {
    Arguments args = given;
    std::string code;
    TakeOption(args, "--code", code);
    if (args.size() != 1) return Fail("usage: mvltool info FILE.mvl [--code CODE]");
    MotionDocument d;
    Mvl_Func_ObjectInit(&d);
    const int result = Mvl_Func_Load(&d, args[0].c_str(), code.c_str());
    if (result != MVL_LOAD_OK) {
        return Fail(args[0] + ": load result " + std::to_string(result) + ": " +
                    LoadResultMeaning(result));
    }
    std::printf("result 0 %s\n", LoadResultMeaning(result));
    PrintHeader(d);
    PrintTotals(d);
    Mvl_Func_Delete(&d);
    return 0;
}

}  // namespace mvltool
