// Builds motion-file bytes for tests from the format's own table of offsets,
// independently of the library's record encoder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mvllib/mvllib.h"

namespace mvltest {

class ByteImage {
public:
    explicit ByteImage(size_t size) : bytes_(size, 0) {}
    void Text(size_t offset, const std::string &text);
    void U8(size_t offset, uint8_t v) { bytes_.at(offset) = v; }
    void U16(size_t offset, uint16_t v);
    void U32(size_t offset, uint32_t v);
    void F64(size_t offset, double v);
    const std::vector<uint8_t> &Bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

struct PositionContents {
    int16_t partNumber = 0;
    double values[14] = {};  // ambient RGBA, diffuse RGBA, scale XYZ, translation XYZ
    int16_t rotation[3] = {};
};

struct FrameContents {
    std::string comment;
    std::vector<PositionContents> positions;
};

struct MotionContents {
    std::string name;
    std::string soundFileName;
    std::vector<FrameContents> frames;
};

struct DocumentContents {
    std::string magic = "MVL1";
    std::string version = "1.00";
    std::string userCode;
    std::vector<std::string> parts;
    std::vector<MotionContents> motions;
    uint8_t background[4] = {0, 0, 0, 255};
    int16_t cameraElevation = 0;
    int16_t cameraAzimuth = 0;
    int32_t cameraDistance = 300;
    int8_t cullingMode = 2;
    double initialScale[3] = {100.0, 100.0, 100.0};
};

// The plain (unscrambled) bytes of the file described by contents.
std::vector<uint8_t> PlainFileBytes(const DocumentContents &contents);

// XOR with the key byte 'M'.
std::vector<uint8_t> Scrambled(std::vector<uint8_t> bytes);

// A unique file path in the temporary folder; the file is removed by the destructor.
class TempFile {
public:
    explicit TempFile(const std::string &stem);
    ~TempFile();
    const std::string &Path() const { return path_; }
    void Write(const std::vector<uint8_t> &bytes) const;
    std::vector<uint8_t> Read() const;

private:
    std::string path_;
};

}  // namespace mvltest
