#include "convert/figure_import.h"

#include <new>

#include "base/text_encoding.h"
#include "base/windows_path.h"
#include "convert/figure_folder.h"
#include "convert/file_names.h"
#include "convert/gltf_figure.h"
#include "convert/obj_figure.h"
#include "formats/gltf/gltf_reader.h"
#include "formats/obj/obj_reader.h"

namespace morvel::convert {
namespace {

// The code page 932 name of the motion file: the input's name with .mvl.
std::string MotionFileName(const std::string &input) {
    std::string stem = input.substr(base::FileNameStart(input));
    const size_t dot = stem.rfind('.');
    if (dot != std::string::npos && dot > 0) stem.resize(dot);
#ifndef _WIN32
    std::string cp932;
    base::Utf8ToCp932Replacing(stem, cp932);
    stem = cp932;
#endif
    return SafeFileStem(stem, "figure") + ".mvl";
}

template <class Build>
ImportReport Import(const std::string &input, const std::string &folder, bool replace, Build build) {
    ImportReport report;
    Figure figure;
    try {
        if (!build(figure, report)) return report;
        const std::string motionFile = MotionFileName(input);
        if (!WriteFigureFolder(figure, folder, motionFile, replace, report.error)) return report;
        report.motionFile = folder + "/" + HostFileName(motionFile);
    } catch (const std::bad_alloc &) {
        report.error = "out of memory";
        return report;
    }
    report.parts = figure.parts.size();
    report.motions = figure.motions.size();
    for (const FigureMotion &motion : figure.motions) report.frames += motion.positions.size();
    report.ok = true;
    return report;
}

}  // namespace

ImportReport ImportGltf(const std::string &input, const std::string &folder, const GltfImportOptions &options) {
    return Import(input, folder, options.replace, [&](Figure &figure, ImportReport &report) {
        formats::gltf::Document document;
        std::string error;
        if (!formats::gltf::ReadGltfFile(input, document, error)) {
            report.error = Cp932(error);
            return false;
        }
        return BuildGltfFigure(document, options, figure, report.warnings, report.error);
    });
}

ImportReport ImportObj(const std::string &input, const std::string &folder, const ObjImportOptions &options) {
    return Import(input, folder, options.replace, [&](Figure &figure, ImportReport &report) {
        formats::obj::Document document;
        std::string error;
        if (!formats::obj::ReadObjFile(input, document, error)) {
            report.error = Cp932(error);
            return false;
        }
        return BuildObjFigure(document, input.substr(0, base::FileNameStart(input)), options, figure,
                              report.warnings, report.error);
    });
}

}  // namespace morvel::convert
