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

static ByteImage Header(const DocumentSpec &spec) {
    ByteImage h(192);
    h.Text(0, spec.magic);
    h.Text(4, spec.version);
    h.Text(8, spec.userCode);
    h.U16(26, static_cast<uint16_t>(spec.parts.size()));
    h.U16(28, static_cast<uint16_t>(spec.motions.size()));
    for (int i = 0; i < 4; ++i) h.U8(36 + i, spec.background[i]);
    h.U8(40, 1);
    for (int i = 0; i < 4; ++i) h.U8(41 + i, i == 3 ? 255 : 200);
    h.U8(45, 1);
    for (int i = 0; i < 4; ++i) h.U8(46 + i, i == 3 ? 255 : 200);
    h.U16(52, static_cast<uint16_t>(spec.cameraElevation));
    h.U16(54, static_cast<uint16_t>(spec.cameraAzimuth));
    h.U32(60, static_cast<uint32_t>(spec.cameraDistance));
    h.U8(88, static_cast<uint8_t>(spec.cullingMode));
    for (int i = 0; i < 3; ++i) h.F64(96 + 8 * i, spec.initialScale[i]);
    h.U8(121, 7);
    return h;
}

static void Append(std::vector<uint8_t> &out, const ByteImage &record) {
    out.insert(out.end(), record.Bytes().begin(), record.Bytes().end());
}

std::vector<uint8_t> PlainFileBytes(const DocumentSpec &spec) {
    std::vector<uint8_t> out;
    Append(out, Header(spec));
    for (const std::string &name : spec.parts) {
        ByteImage part(66);
        part.Text(0, name);
        Append(out, part);
    }
    for (const MotionSpec &m : spec.motions) {
        ByteImage motion(88);
        motion.U16(0, static_cast<uint16_t>(m.frames.size()));
        motion.Text(2, m.name);
        motion.Text(20, m.soundFileName);
        motion.U32(84, 0xDEADBEEF);  // meaningless reference bytes
        Append(out, motion);
    }
    for (const MotionSpec &m : spec.motions) {
        for (const FrameSpec &f : m.frames) {
            ByteImage frame(24);
            frame.U16(0, static_cast<uint16_t>(f.positions.size()));
            frame.Text(2, f.comment);
            frame.U32(20, 0xCAFEF00D);
            Append(out, frame);
        }
    }
    for (const MotionSpec &m : spec.motions) {
        for (const FrameSpec &f : m.frames) {
            for (const PositionSpec &p : f.positions) {
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
