#include "convert/gltf_file_writer.h"

#include <exception>
#include <memory>
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
