#include "convert/figure_export.h"

#include <new>

#include "base/windows_path.h"
#include "convert/gltf_file_writer.h"
#include "convert/texture_images.h"

namespace morvel::convert {

ExportReport ExportGltf(const MotionDocument &document, const std::string &partFolder,
                        const std::string &output, ExportOptions options) {
    ExportReport report;
    options.binary = base::HasExtension(output, ".glb");
    if (!options.binary && !base::HasExtension(output, ".gltf")) {
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
