// export: one motion of a motion file to a motion export file. import: a
// motion export file appended to a motion file, written to a new file.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "command.h"
#include "document/motion_export.h"
#include "formats/motion/motion_file_writer.h"
#include "mvllib/mvllib.h"
#include "text_conversion.h"

namespace mvltool {
namespace {

const char *ImportFailureText(int code) {
    switch (code) {
        case morvel::document::kExportBadFileCode: return "file code differs from the document's";
        case morvel::document::kExportBadVersion: return "version code differs from the document's";
        case morvel::document::kExportBadFileType: return "not a motion export (file type)";
        default: return "cannot be read, or ends before a record is complete";
    }
}

bool ParseIndex(const std::string &text, int32_t &out) {
    if (text.empty() || text.size() > 6) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    out = static_cast<int32_t>(std::strtol(text.c_str(), nullptr, 10));
    return true;
}

// Loads path into an initialised document; the exit status on failure, else 0.
int Load(const std::string &path, const std::string &code, MotionDocument &document) {
    Mvl_Func_ObjectInit(&document);
    const int result = Mvl_Func_Load(&document, path.c_str(), CommandLineCode(code).c_str());
    return result == MVL_LOAD_OK ? 0 : Fail(path + ": " + LoadFailureText(result));
}

}  // namespace

int RunExport(const Arguments &given) {
    Arguments args = given;
    std::string output;
    std::string motionText;
    std::string code;
    TakeOption(args, "--code", code);
    int32_t motion = 0;
    if (!TakeOption(args, "--motion", motionText) || !TakeOption(args, "-o", output) ||
        args.size() != 1) {
        return Fail("usage: mvltool export FILE.mvl --motion K -o FILE.mvx [--code CODE]");
    }
    if (!ParseIndex(motionText, motion)) return Fail("--motion: not a motion index: " + motionText);
    MotionDocument document;
    if (const int status = Load(args[0], code, document); status != 0) return status;
    const uint16_t motions = document.header.motionCount;
    const bool written = motion < motions &&
                         morvel::document::WriteMotionExport(document, output, motion);
    Mvl_Func_Delete(&document);
    if (motion >= motions) {
        return Fail("--motion: " + args[0] + " has " + std::to_string(motions) + " motions");
    }
    if (!written) return Fail(output + ": cannot be written");
    return 0;
}

int RunImport(const Arguments &given) {
    Arguments args = given;
    std::string output;
    std::string code;
    TakeOption(args, "--code", code);
    if (!TakeOption(args, "-o", output) || args.size() != 2) {
        return Fail("usage: mvltool import FILE.mvl FILE.mvx -o OUT.mvl [--code CODE]");
    }
    MotionDocument document;
    if (const int status = Load(args[0], code, document); status != 0) return status;
    const int result = morvel::document::ReadMotionExport(document, args[1]);
    if (result < 0) {
        Mvl_Func_Delete(&document);
        return Fail(args[1] + ": " + ImportFailureText(result));
    }
    const bool written = morvel::formats::motion::WriteMotionFile(document, output);
    Mvl_Func_Delete(&document);
    if (!written) return Fail(output + ": cannot be written");
    std::printf("dropped %d\n", result);
    return 0;
}

}  // namespace mvltool
