#include "convert/figure_export.h"

#include <new>

#include "convert/gltf_file_writer.h"
#include "convert/texture_images.h"

namespace morvel::convert {
namespace {

bool EndsWithIgnoringCase(const std::string &text, const std::string &tail) {
    if (text.size() < tail.size()) return false;
    for (size_t i = 0; i < tail.size(); ++i) {
        char c = text[text.size() - tail.size() + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != tail[i]) return false;
    }
    return true;
}

}  // namespace

ExportReport ExportGltf(const MotionDocument &document, const std::string &partFolder,
                        const std::string &output, ExportOptions options) {
    ExportReport report;
    options.binary = EndsWithIgnoringCase(output, ".glb");
    if (!options.binary && !EndsWithIgnoringCase(output, ".gltf")) {
        report.error = output + ": the name must end in .gltf or .glb";
        return report;
    }
    options.imageStem = AsciiStem(output);
    try {
        const ExportResult result = BuildGltf(document, partFolder, options);
        report.warnings = result.warnings;
        if (!result.ok) {
            report.error = result.error;
            return report;
        }
        report.ok = WriteGltf(result, output, options.binary, report.error);
    } catch (const std::bad_alloc &) {
        report.ok = false;
        report.error = "out of memory";
    }
    return report;
}

}  // namespace morvel::convert
