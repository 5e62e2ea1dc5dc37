// dump: a motion file as JSON on standard output. build: the inverse.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "command.h"
#include "document_json.h"
#include "formats/motion/motion_file_writer.h"
#include "json_build.h"
#include "mvllib/mvllib.h"
#include "rebuild_difference.h"
#include "text_conversion.h"

namespace mvltool {
namespace {

// The index just past the JSON string that starts at text[start] ('"').
size_t EndOfString(const std::string &text, size_t start) {
    size_t i = start + 1;
    while (i < text.size() && text[i] != '"') i += text[i] == '\\' ? 2 : 1;
    return i < text.size() ? i + 1 : text.size();
}

// Puts every array that holds only numbers and texts on one line, so that a
// colour or a vector reads as one value.
std::string WithScalarArraysOnOneLine(const std::string &text) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '"') {
            const size_t end = EndOfString(text, i);
            out.append(text, i, end - i);
            i = end;
            continue;
        }
        if (text[i] == '[') {
            size_t j = i + 1;
            bool scalars = true;
            while (j < text.size() && text[j] != ']') {
                if (text[j] == '[' || text[j] == '{') {
                    scalars = false;
                    break;
                }
                j = text[j] == '"' ? EndOfString(text, j) : j + 1;
            }
            if (scalars && j < text.size()) {
                out += '[';
                bool space = false;
                for (size_t k = i + 1; k < j;) {
                    if (text[k] == '"') {
                        const size_t end = EndOfString(text, k);
                        out.append(text, k, end - k);
                        k = end;
                    } else if (text[k] == ' ' || text[k] == '\n') {
                        space = true;
                        ++k;
                    } else {
                        if (space && out.back() == ',') out += ' ';
                        space = false;
                        out += text[k++];
                    }
                }
                out += ']';
                i = j + 1;
                continue;
            }
        }
        out += text[i++];
    }
    return out;
}

}  // namespace

int RunDump(const Arguments &given) {
    Arguments args = given;
    std::string code;
    TakeOption(args, "--code", code);
    if (args.size() != 1) return Fail("usage: mvltool dump FILE.mvl [--code CODE]");
    MotionDocument document;
    Mvl_Func_ObjectInit(&document);
    const int result =
        Mvl_Func_Load(&document, args[0].c_str(), CommandLineCode(code).c_str());
    if (result != MVL_LOAD_OK) return Fail(args[0] + ": " + LoadFailureText(result));
    const std::string text = WithScalarArraysOnOneLine(DocumentToJson(document).dump(2)) + "\n";
    const uint64_t unkept = BytesBuildWouldChange(document, args[0]);
    Mvl_Func_Delete(&document);
    UseBinaryStandardOutput();
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
        std::fflush(stdout) != 0) {
        return Fail("cannot write to standard output");
    }
    // Not an error: the dump is complete, but build will not give these bytes back.
    if (unkept != 0) {
        const std::string note = args[0] + ": " + std::to_string(unkept) +
                                 " bytes (version, padding, reference or trailing bytes) will "
                                 "not come back from build";
        std::fprintf(stderr, "mvltool: note: %s\n", note.c_str());
    }
    return 0;
}

int RunBuild(const Arguments &given) {
    Arguments args = given;
    std::string output;
    if (!TakeOption(args, "-o", output) || args.size() != 1) {
        return Fail("usage: mvltool build FILE.json -o FILE.mvl");
    }
    std::ifstream in(args[0], std::ios::binary);
    if (!in) return Fail(args[0] + ": cannot be opened");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

    MotionDocument document;
    Mvl_Func_ObjectInit(&document);
    document.parts = nullptr;
    document.motions = nullptr;
    std::string error;
    if (!DocumentFromJsonText(text, document, error)) return Fail(args[0] + ": " + error);
    const bool written = morvel::formats::motion::WriteMotionFile(document, output);
    Mvl_Func_Delete(&document);
    if (!written) return Fail(output + ": cannot be written");
    return 0;
}

}  // namespace mvltool
