#include "render/xfile/x_mesh_loader.h"

#include <cstdio>
#include <memory>
#include <new>
#include <vector>

#include "render/xfile/mesh_builder.h"
#include "render/xfile/mszip_inflate.h"
#include "render/xfile/x_file_header.h"
#include "render/xfile/x_limits.h"
#include "render/xfile/x_object_parser.h"

namespace morvel::render::xfile {
namespace {

struct FileCloser {
    void operator()(std::FILE *file) const { std::fclose(file); }
};

bool ReadWholeFile(const std::string &path, std::vector<uint8_t> &bytes, std::string &error) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        error = "cannot open the file";
        return false;
    }
    bytes.clear();
    uint8_t chunk[64 * 1024];
    for (;;) {
        const size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
        if (got > 0) {
            if (bytes.size() + got > kMaxFileSize) {
                error = "the file is larger than " + std::to_string(kMaxFileSize >> 20) + " MiB";
                return false;
            }
            bytes.insert(bytes.end(), chunk, chunk + got);
        }
        if (got < sizeof chunk) break;
    }
    if (std::ferror(file.get())) {
        error = "cannot read the file";
        return false;
    }
    return true;
}

bool Load(const uint8_t *data, size_t size, MeshData &out, std::string &error) {
    XFileHeader header;
    if (!ParseXFileHeader(data, size, header, error)) return false;
    const uint8_t *body = data + kXFileHeaderSize;
    const uint8_t *end = data + size;
    std::vector<uint8_t> inflated;
    if (header.compressed) {
        if (!InflateMsZip(body, static_cast<size_t>(end - body), inflated, error)) return false;
        body = inflated.data();
        end = inflated.data() + inflated.size();
    }
    XScene scene;
    const bool parsed = header.binary
                            ? ParseBinaryObjects(body, end, header.floatSize, scene, error)
                            : ParseTextObjects(reinterpret_cast<const char *>(body),
                                               reinterpret_cast<const char *>(end), scene, error);
    return parsed && BuildMeshData(scene, out, error);
}

LoadResult Guarded(const uint8_t *data, size_t size, MeshData &out) {
    LoadResult result;
    try {
        result.ok = Load(data, size, out, result.error);
    } catch (const std::bad_alloc &) {
        result.ok = false;
        result.error = "out of memory";
    }
    if (result.ok) result.error.clear();
    return result;
}

}  // namespace

LoadResult LoadMeshFromXFile(const std::string &path, MeshData &out) {
    std::vector<uint8_t> bytes;
    LoadResult result;
    try {
        if (!ReadWholeFile(path, bytes, result.error)) {
            result.error = path + ": " + result.error;
            return result;
        }
    } catch (const std::bad_alloc &) {
        result.error = path + ": out of memory";
        return result;
    }
    result = Guarded(bytes.data(), bytes.size(), out);
    if (!result.ok) result.error = path + ": " + result.error;
    return result;
}

LoadResult LoadMeshFromXMemory(const uint8_t *data, size_t size, MeshData &out) {
    if (!data && size > 0) return {false, "no data"};
    static const uint8_t kEmpty = 0;
    return Guarded(data ? data : &kEmpty, size, out);
}

}  // namespace morvel::render::xfile
