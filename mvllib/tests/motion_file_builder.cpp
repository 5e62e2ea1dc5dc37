#include "motion_file_builder.h"

#include <atomic>
#include <random>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace mvltest {

void ByteImage::Text(size_t offset, const std::string &text) {
    for (size_t i = 0; i < text.size(); ++i) bytes_.at(offset + i) = static_cast<uint8_t>(text[i]);
}

void ByteImage::U16(size_t offset, uint16_t v) {
    bytes_.at(offset) = v & 0xFF;
    bytes_.at(offset + 1) = v >> 8;
}

void ByteImage::U32(size_t offset, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_.at(offset + i) = (v >> (8 * i)) & 0xFF;
}

void ByteImage::F64(size_t offset, double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, 8);
    for (int i = 0; i < 8; ++i) bytes_.at(offset + i) = (bits >> (8 * i)) & 0xFF;
}

static ByteImage Header(const DocumentContents &contents) {
    ByteImage h(192);
    h.Text(0, contents.magic);
    h.Text(4, contents.version);
    h.Text(8, contents.userCode);
    h.U16(26, static_cast<uint16_t>(contents.parts.size()));
    h.U16(28, static_cast<uint16_t>(contents.motions.size()));
    for (int i = 0; i < 4; ++i) h.U8(36 + i, contents.background[i]);
    h.U8(40, 1);
    for (int i = 0; i < 4; ++i) h.U8(41 + i, i == 3 ? 255 : 200);
    h.U8(45, 1);
    for (int i = 0; i < 4; ++i) h.U8(46 + i, i == 3 ? 255 : 200);
    h.U16(52, static_cast<uint16_t>(contents.cameraElevation));
    h.U16(54, static_cast<uint16_t>(contents.cameraAzimuth));
    h.U32(60, static_cast<uint32_t>(contents.cameraDistance));
    h.U8(88, static_cast<uint8_t>(contents.cullingMode));
    for (int i = 0; i < 3; ++i) h.F64(96 + 8 * i, contents.initialScale[i]);
    h.U8(121, 7);
    return h;
}

static void Append(std::vector<uint8_t> &out, const ByteImage &record) {
    out.insert(out.end(), record.Bytes().begin(), record.Bytes().end());
}

std::vector<uint8_t> PlainFileBytes(const DocumentContents &contents) {
    std::vector<uint8_t> out;
    Append(out, Header(contents));
    for (const std::string &name : contents.parts) {
        ByteImage part(66);
        part.Text(0, name);
        Append(out, part);
    }
    for (const MotionContents &m : contents.motions) {
        ByteImage motion(88);
        motion.U16(0, static_cast<uint16_t>(m.frames.size()));
        motion.Text(2, m.name);
        motion.Text(20, m.soundFileName);
        motion.U32(84, 0xDEADBEEF);  // meaningless reference bytes
        Append(out, motion);
    }
    for (const MotionContents &m : contents.motions) {
        for (const FrameContents &f : m.frames) {
            ByteImage frame(24);
            frame.U16(0, static_cast<uint16_t>(f.positions.size()));
            frame.Text(2, f.comment);
            frame.U32(20, 0xCAFEF00D);
            Append(out, frame);
        }
    }
    for (const MotionContents &m : contents.motions) {
        for (const FrameContents &f : m.frames) {
            for (const PositionContents &p : f.positions) {
                ByteImage position(128);
                position.U16(0, static_cast<uint16_t>(p.partNumber));
                for (int i = 0; i < 14; ++i) position.F64(8 + 8 * i, p.values[i]);
                for (int i = 0; i < 3; ++i) {
                    position.U16(120 + 2 * i, static_cast<uint16_t>(p.rotation[i]));
                }
                Append(out, position);
            }
        }
    }
    return out;
}

std::vector<uint8_t> Scrambled(std::vector<uint8_t> bytes) {
    for (uint8_t &b : bytes) b ^= 'M';
    return bytes;
}

static std::string TempFolder() {
#if defined(_WIN32)
    const char *dir = std::getenv("TEMP");
    return dir != nullptr ? std::string(dir) + "\\" : std::string(".\\");
#else
    const char *dir = std::getenv("TMPDIR");
    return dir != nullptr ? std::string(dir) + "/" : std::string("/tmp/");
#endif
}

TempFile::TempFile(const std::string &stem) {
    static std::atomic<int> counter{0};
    path_ = TempFolder() + "mvltest_" + std::to_string(std::random_device{}()) + "_" +
            std::to_string(counter++) + "_" + stem;
}

TempFile::~TempFile() { std::remove(path_.c_str()); }

void TempFile::Write(const std::vector<uint8_t> &bytes) const {
    std::FILE *f = std::fopen(path_.c_str(), "wb");
    if (f == nullptr) throw std::runtime_error("cannot create " + path_);
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

std::vector<uint8_t> TempFile::Read() const {
    std::vector<uint8_t> out;
    std::FILE *f = std::fopen(path_.c_str(), "rb");
    if (f == nullptr) return out;
    int c;
    while ((c = std::fgetc(f)) != EOF) out.push_back(static_cast<uint8_t>(c));
    std::fclose(f);
    return out;
}

}  // namespace mvltest
