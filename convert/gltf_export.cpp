#include "convert/gltf_export.h"

#include <cmath>
#include <cstring>

#include "base/text_encoding.h"
#include "base/windows_path.h"
#include "formats/xfile/x_mesh_loader.h"
#include "convert/gltf_axes.h"
#include "convert/gltf_buffer.h"
#include "convert/motion_nodes.h"
#include "convert/part_meshes.h"

namespace morvel::convert {
namespace {

std::string FixedText(const char *bytes, size_t size) {
    return std::string(bytes, strnlen(bytes, size));
}

std::string Utf8Name(const std::string &cp932, const std::string &fallback) {
    std::string utf8;
    return !cp932.empty() && base::Cp932ToUtf8(cp932, utf8) ? utf8 : fallback;
}

bool FiniteSingle(double value) {
    return std::isfinite(static_cast<float>(value));
}

bool FiniteRgba(const MvlRgbaF64 &c) {
    return std::isfinite(c.r) && std::isfinite(c.g) && std::isfinite(c.b) && std::isfinite(c.a);
}

// Empty when the position can be exported.
std::string CheckPosition(const PositionEntry &p, uint16_t partCount) {
    if (p.partNumber < 0 || p.partNumber >= partCount) {
        return "part number " + std::to_string(p.partNumber) + " is not in the part table (" +
               std::to_string(partCount) + " parts)";
    }
    const double pose[] = {p.scale.x,       p.scale.y,       p.scale.z,
                           p.translation.x, p.translation.y, p.translation.z};
    for (const double value : pose) {
        if (!FiniteSingle(value)) return "a scale or translation is beyond single precision";
    }
    if (!FiniteRgba(p.ambient) || !FiniteRgba(p.diffuse)) {
        return "a colour offset is not a finite number";
    }
    return {};
}

std::string CheckMotion(const MotionEntry &motion, int index, uint16_t partCount) {
    for (size_t f = 0; f < motion.frameCount; ++f) {
        const FrameEntry &frame = motion.frames[f];
        for (size_t p = 0; p < frame.positionCount; ++p) {
            const std::string problem = CheckPosition(frame.positions[p], partCount);
            if (!problem.empty()) {
                return "motion " + std::to_string(index) + " frame " + std::to_string(f) +
                       " position " + std::to_string(p) + ": " + problem;
            }
        }
    }
    return {};
}

bool HasOffset(const PositionEntry &p) {
    const MvlRgbaF64 *colours[] = {&p.ambient, &p.diffuse};
    for (const MvlRgbaF64 *c : colours) {
        if (c->r != 0 || c->g != 0 || c->b != 0 || c->a != 0) return true;
    }
    return false;
}

// Windows paths that do not follow the current folder: "\x", "/x", "C:...".
bool IsAbsolute(const std::string &path) {
    return (!path.empty() && (path[0] == '\\' || path[0] == '/')) ||
           (path.size() > 1 && path[1] == ':');
}

PartSource SourceOf(const std::string &fileName, const std::string &partFolder,
                    const std::string &name) {
    const std::string folder = IsAbsolute(fileName) ? std::string() : partFolder;
    return {folder + morvel::base::HostPath(fileName),
            folder + morvel::base::HostPath(morvel::formats::xfile::TextureDirectoryOf(fileName)),
            name};
}

}  // namespace

ExportResult BuildGltf(const MotionDocument &document, const std::string &partFolder,
                       const ExportOptions &options) {
    ExportResult result;
    const MotionFileHeader &header = document.header;
    if (header.motionCount == 0) {
        result.error = "the file holds no motions";
        return result;
    }
    if (options.motion >= header.motionCount) {
        result.error = "--motion: the file has " + std::to_string(header.motionCount) + " motions";
        return result;
    }
    std::vector<int> motions;
    for (int m = 0; m < header.motionCount; ++m) {
        if (options.motion < 0 || options.motion == m) motions.push_back(m);
    }
    std::vector<bool> partUsed(header.partCount, false), partTinted(header.partCount, false);
    for (const int m : motions) {
        const MotionEntry &motion = document.motions[m];
        result.error = CheckMotion(motion, m, header.partCount);
        if (!result.error.empty()) return result;
        for (size_t f = 0; f < motion.frameCount; ++f) {
            for (size_t p = 0; p < motion.frames[f].positionCount; ++p) {
                const PositionEntry &position = motion.frames[f].positions[p];
                partUsed[static_cast<size_t>(position.partNumber)] = true;
                if (HasOffset(position)) partTinted[static_cast<size_t>(position.partNumber)] = true;
            }
        }
    }

    tinygltf::Model &model = result.model;
    model.asset.version = "2.0";
    model.asset.generator = "mvltool";
    BufferBuilder buffer(model);
    TextureImages textures(model, buffer, options.binary, options.imageStem);
    const Axes axes = AxesOf(header);

    std::vector<int> partMeshes(header.partCount, -1);
    std::vector<PartColours> partColours(header.partCount);
    std::vector<std::string> partNames(header.partCount);
    for (size_t p = 0; p < header.partCount; ++p) {
        const std::string fileName =
            FixedText(document.parts[p].fileName, sizeof document.parts[p].fileName);
        partNames[p] = Utf8Name(fileName, "part " + std::to_string(p));
        if (!partUsed[p]) continue;
        PartMeshResult mesh = AddPartMesh(SourceOf(fileName, partFolder, partNames[p]), axes,
                                          buffer, textures, model);
        const std::string label = "part " + std::to_string(p) + " (" + fileName + "): ";
        if (mesh.mesh < 0) {
            result.warnings.push_back(label + mesh.error + "; exported without its mesh");
        }
        for (const std::string &warning : mesh.warnings) {
            result.warnings.push_back(label + warning + "; exported without it");
        }
        partMeshes[p] = mesh.mesh;
        partColours[p] = {mesh.materials, mesh.diffuse, partTinted[p] && mesh.mesh >= 0};
    }

    for (const int m : motions) {
        const MotionEntry &motion = document.motions[m];
        MotionInput input;
        input.motion = &motion;
        input.name =
            Utf8Name(FixedText(motion.name, sizeof motion.name), "motion " + std::to_string(m));
        input.partMeshes = partMeshes;
        input.partNames = partNames;
        input.partColours = partColours;
        input.axes = axes;
        input.framesPerSecond = options.framesPerSecond;
        input.loop = options.loop;
        AddMotion(input, buffer, model, result.warnings);
    }
    for (const tinygltf::Animation &animation : model.animations) {
        for (const tinygltf::AnimationChannel &channel : animation.channels) {
            if (channel.target_path == "pointer" && model.extensionsUsed.empty()) {
                model.extensionsUsed.push_back("KHR_animation_pointer");
            }
        }
    }
    model.defaultScene = 0;
    if (model.buffers[0].data.empty()) model.buffers.clear();  // glTF has no empty buffers
    result.images = textures.ExternalImages();
    result.ok = true;
    return result;
}

}  // namespace morvel::convert
