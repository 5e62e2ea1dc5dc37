#include "formats/gltf/gltf_reader.h"

#include <tiny_gltf.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "base/windows_path.h"
#include "formats/gltf/accessor_reader.h"
#include "formats/gltf/model_conversion.h"

namespace morvel::formats::gltf {
namespace {

// Larger than any buffer a figure needs; a file may not make us read more.
constexpr size_t kMaxFileSize = size_t{1} << 30;

struct FileCloser {
    void operator()(std::FILE *file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool ReadWholeHostFile(const std::string &path, std::vector<unsigned char> &out,
                       std::string &error) {
    File file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        error = "cannot be opened";
        return false;
    }
    out.clear();
    // The size is only a hint: the file is read to its end whatever it says.
    if (std::fseek(file.get(), 0, SEEK_END) == 0) {
        const long size = std::ftell(file.get());
        if (size > 0 && static_cast<unsigned long>(size) <= kMaxFileSize) out.reserve(static_cast<size_t>(size));
        std::rewind(file.get());
    }
    unsigned char chunk[64 * 1024];
    for (;;) {
        const size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
        if (out.size() + got > kMaxFileSize) {
            error = "is larger than " + std::to_string(kMaxFileSize >> 20) + " MiB";
            return false;
        }
        out.insert(out.end(), chunk, chunk + got);
        if (got < sizeof chunk) break;
    }
    if (std::ferror(file.get())) {
        error = "cannot be read";
        return false;
    }
    return true;
}

// tinygltf joins the folder and the decoded URI itself and also tries the
// process's current folder: every path it asks for is checked here.
struct FileGate {
    std::string folder;   // with its trailing '/'
    std::string refused;  // the first URI refused
};

bool Allowed(const std::string &path, FileGate &gate) {
    if (gate.folder.empty() || path.compare(0, gate.folder.size(), gate.folder) != 0) {
        if (gate.refused.empty()) gate.refused = path;
        return false;
    }
    const std::string uri = path.substr(gate.folder.size());
    if (!IsContainedUri(uri)) {
        if (gate.refused.empty()) gate.refused = uri;
        return false;
    }
    return true;
}

bool GateFileExists(const std::string &path, void *user) {
    if (!Allowed(path, *static_cast<FileGate *>(user))) return false;
    File file(std::fopen(path.c_str(), "rb"));
    return file != nullptr;
}

std::string GateExpand(const std::string &path, void *) { return path; }

bool GateRead(std::vector<unsigned char> *out, std::string *err, const std::string &path,
              void *user) {
    if (!Allowed(path, *static_cast<FileGate *>(user))) return false;
    std::string why;
    if (!ReadWholeHostFile(path, *out, why)) {
        if (err) *err = why;
        return false;
    }
    return true;
}

bool GateWrite(std::string *, const std::string &, const std::vector<unsigned char> &, void *) {
    return false;
}

// Images stay encoded: the importer decodes them with the editor's decoders.
// Those in buffer views are read later with their ranges checked; tinygltf
// hands over a pointer into the buffer without checking them.
bool KeepImageBytes(tinygltf::Image *image, const int, std::string *, std::string *, int, int,
                    const unsigned char *bytes, int size, void *) {
    if (image->bufferView < 0 && bytes != nullptr && size > 0) {
        image->image.assign(bytes, bytes + size);
    }
    return true;
}

std::string FirstLine(const std::string &text) {
    std::string line = text.substr(0, text.find('\n'));
    for (char &c : line) {
        if (static_cast<unsigned char>(c) < 0x20) c = '?';
    }
    return line;
}

}  // namespace

bool IsContainedUri(const std::string &uri) {
    if (uri.empty() || uri[0] == '/' || uri.find_first_of(":\\") != std::string::npos) return false;
    size_t start = 0;
    for (;;) {
        const size_t end = uri.find('/', start);
        const std::string segment = uri.substr(start, end - start);
        if (segment == "..") return false;
        if (end == std::string::npos) return true;
        start = end + 1;
    }
}

bool ReadGltf(const uint8_t *data, size_t size, const std::string &hostFolder, Document &out,
              std::string &error) {
    FileGate gate;
    if (!hostFolder.empty()) gate.folder = hostFolder.back() == '/' ? hostFolder : hostFolder + "/";
    tinygltf::TinyGLTF loader;
    loader.SetImageLoader(KeepImageBytes, nullptr);
    loader.SetFsCallbacks({GateFileExists, GateExpand, GateRead, GateWrite, &gate});
    tinygltf::Model model;
    std::string err, warn;
    bool loaded = false;
    const std::string base = gate.folder.empty() ? std::string() : gate.folder.substr(0, gate.folder.size() - 1);
    try {
        if (size >= 4 && std::memcmp(data, "glTF", 4) == 0) {
            loaded = loader.LoadBinaryFromMemory(&model, &err, &warn, data,
                                                 static_cast<unsigned int>(std::min<size_t>(size, UINT32_MAX)), base);
        } else {
            loaded = loader.LoadASCIIFromString(&model, &err, &warn, reinterpret_cast<const char *>(data),
                                                static_cast<unsigned int>(std::min<size_t>(size, UINT32_MAX)), base);
        }
    } catch (const std::bad_alloc &) {
        error = "out of memory";
        return false;
    } catch (const std::exception &e) {
        error = std::string("not a glTF file: ") + FirstLine(e.what());
        return false;
    }
    if (!gate.refused.empty()) {
        error = "refused to read \"" + FirstLine(gate.refused) +
                "\": external files must lie in the glTF file's folder";
        return false;
    }
    if (!loaded) {
        error = err.empty() ? "not a glTF file" : FirstLine(err);
        return false;
    }
    Document document;
    try {
        if (!ConvertModel(model, document, error)) return false;
    } catch (const std::bad_alloc &) {
        error = "out of memory";
        return false;
    }
    // What tinygltf skipped (a channel without a node, as KHR_animation_pointer
    // writes them, an image it could not load) is said, not hidden.
    std::vector<std::string> skipped;
    for (const std::string *notes : {&err, &warn}) {
        size_t start = 0;
        while (start < notes->size()) {
            const size_t end = std::min(notes->find('\n', start), notes->size());
            if (end > start) skipped.push_back(FirstLine(notes->substr(start, end - start)));
            start = end + 1;
        }
    }
    document.warnings.insert(document.warnings.begin(), skipped.begin(), skipped.end());
    out = std::move(document);
    return true;
}

bool ReadGltfFile(const std::string &hostPath, Document &out, std::string &error) {
    std::vector<unsigned char> bytes;
    std::string why;
    if (!ReadWholeHostFile(hostPath, bytes, why)) {
        error = hostPath + " " + why;
        return false;
    }
    // Windows hands over code page 932 paths, whose second bytes may be '\'.
    const size_t start = base::FileNameStart(hostPath);
    const std::string folder = start == 0 ? "." : hostPath.substr(0, start - 1);
    return ReadGltf(bytes.data(), bytes.size(), folder, out, error);
}

}  // namespace morvel::formats::gltf
