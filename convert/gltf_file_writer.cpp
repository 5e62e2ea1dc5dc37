#include "convert/gltf_file_writer.h"

#include <exception>
#include <memory>
#include <regex>
#include <sstream>
#include <vector>

#include "base/atomic_file_writer.h"
#include "base/windows_path.h"

namespace morvel::convert {
namespace {

using morvel::base::AtomicFileWriter;

struct PendingFile {
    std::string path;
    std::unique_ptr<AtomicFileWriter> writer;
};

// tinygltf writes a channel's target node even when there is none ("node":
// -1), which KHR_animation_pointer channels must leave out. No other -1
// node index is ever written.
void DropMissingNodes(std::string &json) {
    static const std::regex missing("\"node\":\\s*-1,\\s*");
    json = std::regex_replace(json, missing, "");
}

uint32_t Little32(const std::string &bytes, size_t at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + size_t(i)]);
    return value;
}

void PutLittle32(std::string &bytes, size_t at, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// The same edit inside a .glb: its JSON chunk, padded with spaces to four
// bytes, and the lengths that follow from it.
bool DropMissingNodesInGlb(std::string &glb) {
    if (glb.size() < 20) return false;
    const size_t jsonLength = Little32(glb, 12);
    if (20 + jsonLength > glb.size()) return false;
    std::string json = glb.substr(20, jsonLength);
    DropMissingNodes(json);
    json.resize((json.size() + 3) / 4 * 4, ' ');
    std::string out = glb.substr(0, 20) + json + glb.substr(20 + jsonLength);
    PutLittle32(out, 12, static_cast<uint32_t>(json.size()));
    PutLittle32(out, 8, static_cast<uint32_t>(out.size()));
    glb = std::move(out);
    return true;
}

bool UsesPointers(const tinygltf::Model &model) {
    for (const tinygltf::Animation &animation : model.animations) {
        for (const tinygltf::AnimationChannel &channel : animation.channels) {
            if (channel.target_node < 0) return true;
        }
    }
    return false;
}

bool Serialise(const tinygltf::Model &model, bool binary, std::string &bytes, std::string &error) {
    tinygltf::TinyGLTF gltf;
    std::ostringstream stream;
    try {
        if (!gltf.WriteGltfSceneToStream(&model, stream, !binary, binary)) {
            error = "the glTF writer failed";
            return false;
        }
    } catch (const std::exception &e) {
        error = std::string("the glTF writer failed: ") + e.what();
        return false;
    }
    bytes = stream.str();
    if (UsesPointers(model)) {
        if (!binary) {
            DropMissingNodes(bytes);
        } else if (!DropMissingNodesInGlb(bytes)) {
            error = "the glTF writer wrote no binary container";
            return false;
        }
    }
    return true;
}

}  // namespace

std::string HostFolderOf(const std::string &path) {
#ifdef _WIN32
    // Windows hands the arguments over in code page 932.
    return path.substr(0, morvel::base::FileNameStart(path));
#else
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
#endif
}

bool WriteGltf(const ExportResult &result, const std::string &path, bool binary,
               std::string &error) {
    std::string main;
    if (!Serialise(result.model, binary, main, error)) return false;

    std::vector<PendingFile> files;
    const std::string folder = HostFolderOf(path);
    auto add = [&](const std::string &target, const void *bytes, size_t size) {
        files.push_back({target, std::make_unique<AtomicFileWriter>(target)});
        AtomicFileWriter &writer = *files.back().writer;
        if (!writer.IsOpen() || !writer.Write(bytes, size)) {
            error = target + ": cannot be written";
            return false;
        }
        return true;
    };
    if (!binary) {
        for (const ExternalImage &image : result.images) {
            if (!add(folder + image.fileName, image.bytes.data(), image.bytes.size())) return false;
        }
    }
    if (!add(path, main.data(), main.size())) return false;
    for (PendingFile &file : files) {
        if (!file.writer->Commit()) {
            error = file.path + ": cannot be written";
            return false;
        }
    }
    return true;
}

}  // namespace morvel::convert
