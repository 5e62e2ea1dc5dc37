// Files that claim far more than they hold: counts of 65,535 in short files,
// ten thousand nested objects, sizes of 4 GB. Each must end in its error
// without allocating more than its own size can justify: at most a fixed
// allowance (the readers' buffers) plus a small multiple of the input. The
// peak and the time of each case are printed for the record.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "allocation_counter.h"
#include "document/motion_export.h"
#include "formats/image/image_decoder.h"
#include "formats/xfile/x_mesh_loader.h"
#include "mvllib/mvllib.h"

namespace morvel::testing {
namespace {

using Bytes = std::vector<uint8_t>;

// The motion-file reader's 256 KiB buffer, the X and image readers' chunk
// buffers and zlib's window fit well inside this.
constexpr size_t kFixedAllowance = 512 * 1024;
// A decoded record or mesh element may take a few times its bytes on disk.
constexpr size_t kPerInputByte = 8;

// Runs the case once (run returns how it ended), then prints and bounds its
// peak allocation.
void ExpectBounded(const std::string &what, size_t inputSize,
                   const std::function<std::string()> &run) {
    ResetAllocationPeak();
    const auto start = std::chrono::steady_clock::now();
    const std::string outcome = run();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    const size_t peak = AllocationPeakAboveStart();
    std::printf("hostile input: %-58s %8zu bytes in, peak %9zu bytes allocated, %7.2f ms: %s\n",
                what.c_str(), inputSize, peak, took.count(), outcome.c_str());
    EXPECT_LE(peak, kFixedAllowance + kPerInputByte * inputSize) << what;
}

void Put16(Bytes &b, size_t at, uint16_t v) {
    b.at(at) = static_cast<uint8_t>(v);
    b.at(at + 1) = static_cast<uint8_t>(v >> 8);
}
void Put32(Bytes &b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.at(at + i) = static_cast<uint8_t>(v >> (8 * i));
}
void Append16(Bytes &b, uint16_t v) {
    b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8)});
}
void Append32(Bytes &b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void AppendText(Bytes &b, const std::string &text) {
    b.insert(b.end(), text.begin(), text.end());
}

Bytes Scrambled(Bytes plain) {
    for (uint8_t &byte : plain) byte ^= 'M';
    return plain;
}

class TempFile {
public:
    explicit TempFile(const Bytes &bytes)
        : path_((std::filesystem::temp_directory_path() /
                 ("hostile-" + std::to_string(counter_++) + ".bin"))
                    .string()) {
        std::FILE *file = std::fopen(path_.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    ~TempFile() { std::remove(path_.c_str()); }
    const std::string &Path() const { return path_; }

private:
    static inline int counter_ = 0;
    std::string path_;
};

// A motion-file header: magic, version, empty code, the given counts.
Bytes MotionHeader(uint16_t parts, uint16_t motions) {
    Bytes b(192, 0);
    std::memcpy(b.data(), "MVL11.00", 8);
    Put16(b, 26, parts);
    Put16(b, 28, motions);
    return b;
}

TEST(HostileInputMemory, MotionFileCountsOf65535InShortFiles) {
    struct Case {
        const char *what;
        Bytes plain;
    };
    std::vector<Case> cases;
    Bytes parts = MotionHeader(65535, 65535);
    parts.resize(parts.size() + 66 + 10, 'p');  // one part and a piece of the next
    cases.push_back({"motion file: 65,535 parts and motions, one part", parts});
    Bytes frames = MotionHeader(0, 1);
    frames.resize(192 + 88 + 24, 0);
    Put16(frames, 192, 65535);  // the motion's frame count
    cases.push_back({"motion file: 65,535 frames, one frame", frames});
    Bytes positions = MotionHeader(0, 1);
    positions.resize(192 + 88 + 24 + 128, 0);
    Put16(positions, 192, 1);
    Put16(positions, 192 + 88, 65535);  // the frame's position count
    cases.push_back({"motion file: 65,535 positions, one position", positions});
    Bytes everyMotion = MotionHeader(0, 65535);
    for (int m = 0; m < 1000; ++m) {  // a thousand motions that each claim 65,535 frames
        Bytes motion(88, 0);
        Put16(motion, 0, 65535);
        everyMotion.insert(everyMotion.end(), motion.begin(), motion.end());
    }
    cases.push_back({"motion file: 1,000 of 65,535 motions, each 65,535 frames", everyMotion});

    for (const Case &c : cases) {
        const TempFile file(Scrambled(c.plain));
        ExpectBounded(c.what, c.plain.size(), [&file] {
            MotionDocument document;
            Mvl_Func_ObjectInit(&document);
            document.parts = nullptr;
            document.motions = nullptr;
            const int result = Mvl_Func_Load(&document, file.Path().c_str(), "");
            EXPECT_EQ(result, MVL_LOAD_UNREADABLE);
            Mvl_Func_Delete(&document);
            return "load result " + std::to_string(result);
        });
    }
}

TEST(HostileInputMemory, ExportFileCountsOf65535InShortFiles) {
    Bytes header(27, 0);
    std::memcpy(header.data(), "MVL11.00", 8);
    header[26] = 'M';
    Bytes frames = header;
    frames.resize(27 + 88 + 24, 0);
    Put16(frames, 27, 65535);
    Bytes positions = header;
    positions.resize(27 + 88 + 24 + 128, 0);
    Put16(positions, 27, 1);
    Put16(positions, 27 + 88, 65535);
    const std::pair<const char *, Bytes> cases[] = {
        {"export file: 65,535 frames, one frame", frames},
        {"export file: 65,535 positions, one position", positions},
    };
    for (const auto &[what, plain] : cases) {
        const TempFile file(Scrambled(plain));
        ExpectBounded(what, plain.size(), [&file] {
            MotionDocument document;
            Mvl_Func_ObjectInit(&document);
            document.parts = nullptr;
            document.motions = nullptr;
            const int result = document::ReadMotionExport(document, file.Path());
            EXPECT_EQ(result, document::kExportUnreadable);
            Mvl_Func_Delete(&document);
            return "read result " + std::to_string(result);
        });
    }
}

void ExpectXFailure(const std::string &what, const Bytes &file) {
    ExpectBounded(what, file.size(), [&] {
        formats::xfile::MeshData mesh;
        const formats::xfile::LoadResult result =
            formats::xfile::LoadMeshFromXMemory(file.data(), file.size(), mesh);
        EXPECT_FALSE(result.ok) << what;
        EXPECT_EQ(result.error.find('\n'), std::string::npos) << what;
        return result.error;
    });
}

Bytes XText(const std::string &body) {
    Bytes b;
    AppendText(b, "xof 0303txt 0032\n" + body);
    return b;
}

// Binary tokens: a name, an integer list, a float list, braces.
void BinaryName(Bytes &b, const std::string &name) {
    Append16(b, 1);
    Append32(b, static_cast<uint32_t>(name.size()));
    AppendText(b, name);
}
void BinaryInts(Bytes &b, const std::vector<uint32_t> &values) {
    Append16(b, 6);
    Append32(b, static_cast<uint32_t>(values.size()));
    for (uint32_t v : values) Append32(b, v);
}
void BinaryFloats(Bytes &b, uint32_t claimed, const std::vector<float> &values) {
    Append16(b, 7);
    Append32(b, claimed);
    for (float v : values) {
        uint32_t bits;
        std::memcpy(&bits, &v, 4);
        Append32(b, bits);
    }
}

TEST(HostileInputMemory, XFileArraysOf65535InShortFiles) {
    const std::string triangle = "3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;;";
    const std::pair<const char *, std::string> textCases[] = {
        {"X text: 65,535 vertices, one given", "Mesh { 65535; 0;0;0;; }"},
        {"X text: 65,535 faces, one given", "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 65535; 3;0,1,2;; }"},
        {"X text: a face of 65,535 corners",
         "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 65535;0,1,2;; }"},
        {"X text: 65,535 normals, one given",
         "Mesh { " + triangle + " MeshNormals { 65535; 0;0;1;; 1; 3;0,0,0;; } }"},
        {"X text: 65,535 texture coordinates, one given",
         "Mesh { " + triangle + " MeshTextureCoords { 65535; 0;0;; } }"},
        {"X text: 65,535 vertex colours, one given",
         "Mesh { " + triangle + " MeshVertexColors { 65535; 0;1;1;1;1;; } }"},
        {"X text: 65,535 material indices, one given",
         "Mesh { " + triangle + " MeshMaterialList { 1; 65535; 0;; } }"},
        {"X text: 4,294,967,295 vertices", "Mesh { 4294967295; 0;0;0;; }"},
    };
    for (const auto &[what, body] : textCases) ExpectXFailure(what, XText(body));

    // Binary: the same claims as counts of the lists themselves.
    Bytes vertices;
    AppendText(vertices, "xof 0303bin 0032");
    BinaryName(vertices, "Mesh");
    Append16(vertices, 10);
    BinaryInts(vertices, {65535});
    BinaryFloats(vertices, 65535 * 3, {0, 0, 0});
    ExpectXFailure("X binary: 65,535 vertices in a list of three floats", vertices);
    Bytes faces;
    AppendText(faces, "xof 0303bin 0032");
    BinaryName(faces, "Mesh");
    Append16(faces, 10);
    BinaryInts(faces, {3});
    BinaryFloats(faces, 9, {0, 0, 0, 1, 0, 0, 0, 1, 0});
    Append16(faces, 6);
    Append32(faces, 65535);  // an integer list claiming 65,535 values
    Append32(faces, 65535);
    ExpectXFailure("X binary: an integer list of 65,535 with one value", faces);
}

TEST(HostileInputMemory, XFileNestedTenThousandDeep) {
    std::string frames;
    for (int i = 0; i < 10000; ++i) frames += "Frame {";
    ExpectXFailure("X text: frames nested 10,000 deep", XText(frames + std::string(10000, '}')));

    Bytes binary;
    AppendText(binary, "xof 0303bin 0032");
    for (int i = 0; i < 10000; ++i) {
        BinaryName(binary, "Frame");
        Append16(binary, 10);
    }
    for (int i = 0; i < 10000; ++i) Append16(binary, 11);
    ExpectXFailure("X binary: frames nested 10,000 deep", binary);

    // Unknown templates are skipped with their blocks, however deep.
    std::string unknown = "Unknown {";
    for (int i = 0; i < 10000; ++i) unknown += "Inner {";
    const Bytes skipped = XText(unknown + std::string(10001, '}') +
                                "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }");
    ExpectBounded("X text: an unknown block nested 10,000 deep", skipped.size(), [&skipped] {
        formats::xfile::MeshData mesh;
        EXPECT_TRUE(formats::xfile::LoadMeshFromXMemory(skipped.data(), skipped.size(), mesh).ok);
        return std::string("loaded");
    });
}

TEST(HostileInputMemory, XFileCompressedTotalOf4GB) {
    Bytes file;
    AppendText(file, "xof 0303bzip0032");
    Append32(file, 0xFFFFFFFFu);  // the inflated total size
    Append16(file, 0xFFFF);
    Append16(file, 12);
    AppendText(file, "CK");
    file.resize(file.size() + 10, 0x55);
    ExpectXFailure("X compressed: a total size of 4 GB", file);

    // The largest total the data could honestly inflate to, with one bad block.
    Bytes honest;
    AppendText(honest, "xof 0303bzip0032");
    Append32(honest, 0);
    Append16(honest, 0xFFFF);
    Append16(honest, 4002);
    AppendText(honest, "CK");
    honest.resize(honest.size() + 4000, 0x55);
    Put32(honest, 16, static_cast<uint32_t>((honest.size() - 16) * 1032));
    ExpectXFailure("X compressed: the largest total the data allows, bad data", honest);
}

void ExpectImageFailure(const std::string &what, const Bytes &file) {
    ExpectBounded(what, file.size(), [&] {
        formats::image::ArgbImage image;
        const formats::image::LoadResult result =
            formats::image::DecodeImage(file.data(), file.size(), image);
        EXPECT_FALSE(result.ok) << what;
        EXPECT_TRUE(image.pixels.empty()) << what;
        return result.error;
    });
}

// A seed image of the fuzzers, whole and valid, to patch a size into.
Bytes SeedImage(const std::string &name) {
    Bytes bytes;
    const std::string path = std::string(MORVEL_SOURCE_DIR) + "/formats/image/fuzz/corpus/" + name;
    if (std::FILE *file = std::fopen(path.c_str(), "rb")) {
        int c;
        while ((c = std::fgetc(file)) != EOF) bytes.push_back(static_cast<uint8_t>(c));
        std::fclose(file);
    }
    EXPECT_FALSE(bytes.empty()) << path;
    return bytes;
}

void PutBigEndian16(Bytes &b, size_t at, uint16_t v) {
    b.at(at) = static_cast<uint8_t>(v >> 8);
    b.at(at + 1) = static_cast<uint8_t>(v);
}
void PutBigEndian32(Bytes &b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.at(at + i) = static_cast<uint8_t>(v >> (24 - 8 * i));
}

TEST(HostileInputMemory, ImagesClaiming4GB) {
    Bytes bmp(54 + 16, 0);
    bmp[0] = 'B';
    bmp[1] = 'M';
    Put32(bmp, 10, 54);
    Put32(bmp, 14, 40);
    Put32(bmp, 18, 65536);  // 65,536 x 65,536 pixels: 16 GB of ARGB
    Put32(bmp, 22, 65536);
    Put16(bmp, 26, 1);
    Put16(bmp, 28, 32);
    ExpectImageFailure("BMP: 65,536 x 65,536 pixels", bmp);

    Bytes dds = SeedImage("dds/dxt1_mips.dds");
    Put32(dds, 12, 65536);  // height
    Put32(dds, 16, 65536);  // width
    ExpectImageFailure("DDS: DXT1 65,536 x 65,536", dds);

    // Whole files of each format, their headers patched to 65,535 x 65,535.
    Bytes png = SeedImage("png/rgba.png");
    PutBigEndian32(png, 16, 65535);
    PutBigEndian32(png, 20, 65535);
    ExpectImageFailure("PNG: 65,535 x 65,535 RGBA", png);
    Bytes tga = SeedImage("tga/rgb_rle.tga");
    Put16(tga, 12, 65535);
    Put16(tga, 14, 65535);
    ExpectImageFailure("TGA: 65,535 x 65,535, run-length packets", tga);
    Bytes jpeg = SeedImage("jpeg/small.jpg");
    for (size_t i = 2; i + 9 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) {
            PutBigEndian16(jpeg, i + 5, 65535);  // height
            PutBigEndian16(jpeg, i + 7, 65535);  // width
            break;
        }
    }
    ExpectImageFailure("JPEG: 65,535 x 65,535", jpeg);
    Bytes ppm;
    AppendText(ppm, "P6\n4294967295 4294967295\n255\n");
    ppm.resize(ppm.size() + 16, 0);
    ExpectImageFailure("PPM: 4,294,967,295 x 4,294,967,295", ppm);

    // A chunk that claims 4 GB: the file cannot hold it.
    Bytes chunk = SeedImage("png/rgba.png");
    const size_t iend = chunk.size() - 12;
    chunk.insert(chunk.begin() + static_cast<long>(iend),
                 {0xFF, 0xFF, 0xFF, 0xF0, 't', 'E', 'X', 't', 0, 0, 0, 0});
    ExpectImageFailure("PNG: a chunk of 4 GB before the end", chunk);
}

}  // namespace
}  // namespace morvel::testing
