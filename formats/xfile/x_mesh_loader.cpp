#include "formats/xfile/x_mesh_loader.h"

#include <cstdio>
#include <memory>
#include <new>
#include <vector>

#include "base/cp932_text.h"
#include "formats/xfile/byte_source.h"
#include "formats/xfile/mesh_builder.h"
#include "formats/xfile/mszip_inflate.h"
#include "formats/xfile/x_file_header.h"
#include "formats/xfile/x_limits.h"
#include "formats/xfile/x_object_parser.h"

namespace morvel::formats::xfile {
namespace {

struct FileCloser {
    void operator()(std::FILE *file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

class FileSource : public ByteSource {
public:
    explicit FileSource(std::FILE *file) : file_(file) {}
    size_t Read(char *buffer, size_t capacity) override { return std::fread(buffer, 1, capacity, file_); }

private:
    std::FILE *file_;
};

// The file's size, or -1 when the stream cannot tell it.
long FileSize(std::FILE *file) {
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
    if (std::fseek(file, 0, SEEK_SET) != 0) size = -1;
    return size;
}

bool ReadRest(std::FILE *file, std::vector<uint8_t> &bytes, std::string &error) {
    uint8_t chunk[64 * 1024];
    for (;;) {
        const size_t got = std::fread(chunk, 1, sizeof chunk, file);
        if (bytes.size() + got > kMaxFileSize) {
            error = "the file is larger than " + std::to_string(kMaxFileSize >> 20) + " MiB";
            return false;
        }
        bytes.insert(bytes.end(), chunk, chunk + got);
        if (got < sizeof chunk) break;
    }
    if (std::ferror(file)) {
        error = "cannot read the file";
        return false;
    }
    return true;
}

bool ParseBody(const XFileHeader &header, const uint8_t *body, const uint8_t *end, XScene &scene,
               std::string &error) {
    std::vector<uint8_t> inflated;
    if (header.compressed) {
        if (!InflateMsZip(body, static_cast<size_t>(end - body), inflated, error)) return false;
        body = inflated.data();
        end = inflated.data() + inflated.size();
    }
    return header.binary ? ParseBinaryObjects(body, end, header.floatSize, scene, error)
                         : ParseTextObjects(reinterpret_cast<const char *>(body),
                                            reinterpret_cast<const char *>(end), scene, error);
}

bool LoadBody(const XFileHeader &header, const uint8_t *body, const uint8_t *end, MeshData &out,
              std::string &error) {
    XScene scene;
    return ParseBody(header, body, end, scene, error) && BuildMeshData(scene, out, error);
}

bool LoadMemory(const uint8_t *data, size_t size, MeshData &out, std::string &error) {
    XFileHeader header;
    if (!ParseXFileHeader(data, size, header, error)) return false;
    return LoadBody(header, data + kXFileHeaderSize, data + size, out, error);
}

// Text files of known size stream through the tokenizer's window; the other
// encodings are small or must be inflated first, so they are read whole.
bool LoadFile(std::FILE *file, MeshData &out, std::string &error) {
    const long size = FileSize(file);
    if (size > static_cast<long>(kMaxFileSize)) {
        error = "the file is larger than " + std::to_string(kMaxFileSize >> 20) + " MiB";
        return false;
    }
    std::vector<uint8_t> bytes(kXFileHeaderSize);
    const size_t got = std::fread(bytes.data(), 1, kXFileHeaderSize, file);
    bytes.resize(got);
    XFileHeader header;
    if (std::ferror(file)) {
        error = "cannot read the file";
        return false;
    }
    if (!ParseXFileHeader(bytes.data(), bytes.size(), header, error)) return false;
    if (!header.binary && !header.compressed && size >= static_cast<long>(kXFileHeaderSize)) {
        FileSource source(file);
        XScene scene;
        if (!ParseTextObjects(source, static_cast<uint64_t>(size) - kXFileHeaderSize, scene, error)) {
            if (std::ferror(file)) error = "cannot read the file";
            return false;
        }
        if (std::ferror(file)) {
            error = "cannot read the file";
            return false;
        }
        return BuildMeshData(scene, out, error);
    }
    if (!ReadRest(file, bytes, error)) return false;
    return LoadBody(header, bytes.data() + kXFileHeaderSize, bytes.data() + bytes.size(), out, error);
}

// Errors quote names and strings from the file, and binary names may hold
// any byte: control characters become '?' so the message stays one line.
void MakeOneLine(std::string &message) {
    for (char &c : message) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) c = '?';
    }
}

// Builds into a fresh mesh so `out` changes only on success; no exception
// leaves the loader.
template <class Data, class Load>
LoadResult Guarded(Load load, Data &out) {
    LoadResult result;
    Data mesh;
    try {
        result.ok = load(mesh, result.error);
    } catch (const std::bad_alloc &) {
        result.ok = false;
        result.error = "out of memory";
    }
    if (result.ok) {
        out = std::move(mesh);
        result.error.clear();
    } else {
        MakeOneLine(result.error);
    }
    return result;
}

}  // namespace

LoadResult LoadMeshFromXFile(const std::string &path, MeshData &out) {
    LoadResult result = Guarded(
        [&path](MeshData &mesh, std::string &error) {
            File file(std::fopen(path.c_str(), "rb"));
            if (!file) {
                error = "cannot open the file";
                return false;
            }
            return LoadFile(file.get(), mesh, error);
        },
        out);
    if (!result.ok) {
        result.error = path + ": " + result.error;
        MakeOneLine(result.error);
    }
    return result;
}

LoadResult LoadMeshFromXMemory(const uint8_t *data, size_t size, MeshData &out) {
    if (!data && size > 0) return {false, "no data"};
    static const uint8_t kEmpty = 0;
    return Guarded([data, size](MeshData &mesh, std::string &error) { return LoadMemory(data ? data : &kEmpty, size, mesh, error); },
                   out);
}

LoadResult LoadSceneFromXMemory(const uint8_t *data, size_t size, XScene &out) {
    if (!data && size > 0) return {false, "no data"};
    static const uint8_t kEmpty = 0;
    return Guarded(
        [data, size](XScene &scene, std::string &error) {
            XFileHeader header;
            const uint8_t *bytes = data ? data : &kEmpty;
            return ParseXFileHeader(bytes, size, header, error) &&
                   ParseBody(header, bytes + kXFileHeaderSize, bytes + size, scene, error);
        },
        out);
}

std::string TextureDirectoryOf(const std::string &xFilePath) {
    constexpr size_t kPathBufferBytes = 1023;
    const std::string path =
        xFilePath.substr(0, base::Cp932PrefixLength(xFilePath, kPathBufferBytes));
    const size_t backslash = base::Cp932FindLastOf(path, "\\");
    return backslash == std::string::npos ? std::string() : path.substr(0, backslash + 1);
}

}  // namespace morvel::formats::xfile
