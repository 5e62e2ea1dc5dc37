// Encoding and decoding of the motion-file records, field by field and
// little-endian, independent of the host's struct layout and byte order.
// Header-only so that every reader and writer of the format (the library's
// loader, the editor's writers, tools) shares one definition of the layout.
#pragma once

#include <cstdint>
#include <cstring>

#include "mvllib/mvllib.h"

namespace morvel::formats::motion {

using RecordBytes = unsigned char;

namespace codec_detail {

// Little-endian hosts (every target we build) move whole fields; others
// assemble them byte by byte.
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
template <typename T>
inline void PutLE(RecordBytes *p, T v) {
    std::memcpy(p, &v, sizeof v);
}
template <typename T>
inline T GetLE(const RecordBytes *p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
#else
template <typename T>
inline void PutLE(RecordBytes *p, T v) {
    for (size_t i = 0; i < sizeof v; ++i) p[i] = static_cast<RecordBytes>(v >> (8 * i));
}
template <typename T>
inline T GetLE(const RecordBytes *p) {
    T v = 0;
    for (size_t i = sizeof v; i-- > 0;) v = static_cast<T>((v << 8) | p[i]);
    return v;
}
#endif

inline void PutU16(RecordBytes *p, uint16_t v) { PutLE(p, v); }
inline void PutU32(RecordBytes *p, uint32_t v) { PutLE(p, v); }
inline void PutU64(RecordBytes *p, uint64_t v) { PutLE(p, v); }
inline uint16_t GetU16(const RecordBytes *p) { return GetLE<uint16_t>(p); }
inline uint32_t GetU32(const RecordBytes *p) { return GetLE<uint32_t>(p); }
inline uint64_t GetU64(const RecordBytes *p) { return GetLE<uint64_t>(p); }

inline void PutI16(RecordBytes *p, int16_t v) { PutU16(p, static_cast<uint16_t>(v)); }
inline int16_t GetI16(const RecordBytes *p) { return static_cast<int16_t>(GetU16(p)); }
inline void PutI32(RecordBytes *p, int32_t v) { PutU32(p, static_cast<uint32_t>(v)); }
inline int32_t GetI32(const RecordBytes *p) { return static_cast<int32_t>(GetU32(p)); }

inline void PutF64(RecordBytes *p, double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    PutU64(p, bits);
}
inline double GetF64(const RecordBytes *p) {
    const uint64_t bits = GetU64(p);
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

inline void PutRgba8(RecordBytes *p, const MvlRgba8 &c) {
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
    p[3] = c.a;
}
inline MvlRgba8 GetRgba8(const RecordBytes *p) { return MvlRgba8{p[0], p[1], p[2], p[3]}; }

inline void PutRgbaF64(RecordBytes *p, const MvlRgbaF64 &c) {
    PutF64(p, c.r);
    PutF64(p + 8, c.g);
    PutF64(p + 16, c.b);
    PutF64(p + 24, c.a);
}
inline MvlRgbaF64 GetRgbaF64(const RecordBytes *p) {
    return MvlRgbaF64{GetF64(p), GetF64(p + 8), GetF64(p + 16), GetF64(p + 24)};
}

inline void PutVector3F64(RecordBytes *p, const MvlVector3F64 &v) {
    PutF64(p, v.x);
    PutF64(p + 8, v.y);
    PutF64(p + 16, v.z);
}
inline MvlVector3F64 GetVector3F64(const RecordBytes *p) {
    return MvlVector3F64{GetF64(p), GetF64(p + 8), GetF64(p + 16)};
}

inline void PutVector3I16(RecordBytes *p, const MvlVector3I16 &v) {
    PutI16(p, v.x);
    PutI16(p + 2, v.y);
    PutI16(p + 4, v.z);
}
inline MvlVector3I16 GetVector3I16(const RecordBytes *p) {
    return MvlVector3I16{GetI16(p), GetI16(p + 2), GetI16(p + 4)};
}

}  // namespace codec_detail

// The header is plain bytes with a fixed layout on every target, but it is
// still encoded field by field so that padding always goes out as zero.
inline void EncodeHeader(const MotionFileHeader &h, RecordBytes out[MVL_HEADER_SIZE]) {
    using namespace codec_detail;
    std::memset(out, 0, MVL_HEADER_SIZE);
    std::memcpy(out + 0, h.magic, 4);
    std::memcpy(out + 4, h.version, 4);
    std::memcpy(out + 8, h.userCode, 18);
    PutU16(out + 26, h.partCount);
    PutU16(out + 28, h.motionCount);
    PutI32(out + 32, h.reserved32);
    PutRgba8(out + 36, h.backgroundColour);
    out[40] = static_cast<RecordBytes>(h.axisVisible);
    PutRgba8(out + 41, h.axisColour);
    out[45] = static_cast<RecordBytes>(h.statusTextVisible);
    PutRgba8(out + 46, h.statusTextColour);
    PutI16(out + 52, h.cameraElevation);
    PutI16(out + 54, h.cameraAzimuth);
    PutI16(out + 56, h.reserved56);
    PutI32(out + 60, h.cameraDistance);
    for (int i = 0; i < 3; ++i) PutF64(out + 64 + 8 * i, h.reserved64[i]);
    out[88] = static_cast<RecordBytes>(h.cullingMode);
    PutVector3F64(out + 96, h.initialScale);
    out[120] = static_cast<RecordBytes>(h.rightHanded);
    out[121] = static_cast<RecordBytes>(h.axisDirection);
    PutRgbaF64(out + 128, h.initialAmbient);
    PutRgbaF64(out + 160, h.initialDiffuse);
}

// Padding bytes are taken over as stored, so a loaded header keeps every byte.
inline void DecodeHeader(const RecordBytes in[MVL_HEADER_SIZE], MotionFileHeader &h) {
    using namespace codec_detail;
    std::memcpy(h.magic, in + 0, 4);
    std::memcpy(h.version, in + 4, 4);
    std::memcpy(h.userCode, in + 8, 18);
    h.partCount = GetU16(in + 26);
    h.motionCount = GetU16(in + 28);
    std::memcpy(h.padding30, in + 30, 2);
    h.reserved32 = GetI32(in + 32);
    h.backgroundColour = GetRgba8(in + 36);
    h.axisVisible = static_cast<int8_t>(in[40]);
    h.axisColour = GetRgba8(in + 41);
    h.statusTextVisible = static_cast<int8_t>(in[45]);
    h.statusTextColour = GetRgba8(in + 46);
    std::memcpy(h.padding50, in + 50, 2);
    h.cameraElevation = GetI16(in + 52);
    h.cameraAzimuth = GetI16(in + 54);
    h.reserved56 = GetI16(in + 56);
    std::memcpy(h.padding58, in + 58, 2);
    h.cameraDistance = GetI32(in + 60);
    for (int i = 0; i < 3; ++i) h.reserved64[i] = GetF64(in + 64 + 8 * i);
    h.cullingMode = static_cast<int8_t>(in[88]);
    std::memcpy(h.padding89, in + 89, 7);
    h.initialScale = GetVector3F64(in + 96);
    h.rightHanded = static_cast<int8_t>(in[120]);
    h.axisDirection = static_cast<int8_t>(in[121]);
    std::memcpy(h.padding122, in + 122, 6);
    h.initialAmbient = GetRgbaF64(in + 128);
    h.initialDiffuse = GetRgbaF64(in + 160);
}

inline void EncodePart(const PartEntry &p, RecordBytes out[MVL_PART_RECORD_SIZE]) {
    std::memcpy(out, p.fileName, 64);
    codec_detail::PutU16(out + 64, p.reserved64);
}

inline void DecodePart(const RecordBytes in[MVL_PART_RECORD_SIZE], PartEntry &p) {
    std::memcpy(p.fileName, in, 64);
    p.reserved64 = codec_detail::GetU16(in + 64);
}

// The frames reference is written as zero: its bytes carry no meaning in a file.
inline void EncodeMotion(const MotionEntry &m, RecordBytes out[MVL_MOTION_RECORD_SIZE]) {
    std::memset(out, 0, MVL_MOTION_RECORD_SIZE);
    codec_detail::PutU16(out + 0, m.frameCount);
    std::memcpy(out + 2, m.name, 16);
    std::memcpy(out + 20, m.soundFileName, 64);
}

// Leaves m.frames alone: the reader attaches the arrays it allocates.
inline void DecodeMotion(const RecordBytes in[MVL_MOTION_RECORD_SIZE], MotionEntry &m) {
    m.frameCount = codec_detail::GetU16(in + 0);
    std::memcpy(m.name, in + 2, 16);
    std::memcpy(m.padding18, in + 18, 2);
    std::memcpy(m.soundFileName, in + 20, 64);
}

inline void EncodeFrame(const FrameEntry &f, RecordBytes out[MVL_FRAME_RECORD_SIZE]) {
    std::memset(out, 0, MVL_FRAME_RECORD_SIZE);
    codec_detail::PutU16(out + 0, f.positionCount);
    std::memcpy(out + 2, f.comment, 16);
}

inline void DecodeFrame(const RecordBytes in[MVL_FRAME_RECORD_SIZE], FrameEntry &f) {
    f.positionCount = codec_detail::GetU16(in + 0);
    std::memcpy(f.comment, in + 2, 16);
    std::memcpy(f.padding18, in + 18, 2);
}

inline void EncodePosition(const PositionEntry &p, RecordBytes out[MVL_POSITION_RECORD_SIZE]) {
    using namespace codec_detail;
    std::memset(out, 0, MVL_POSITION_RECORD_SIZE);
    PutI16(out + 0, p.partNumber);
    PutRgbaF64(out + 8, p.ambient);
    PutRgbaF64(out + 40, p.diffuse);
    PutVector3F64(out + 72, p.scale);
    PutVector3F64(out + 96, p.translation);
    PutVector3I16(out + 120, p.rotation);
}

inline void DecodePosition(const RecordBytes in[MVL_POSITION_RECORD_SIZE], PositionEntry &p) {
    using namespace codec_detail;
    p.partNumber = GetI16(in + 0);
    std::memcpy(p.padding2, in + 2, 6);
    p.ambient = GetRgbaF64(in + 8);
    p.diffuse = GetRgbaF64(in + 40);
    p.scale = GetVector3F64(in + 72);
    p.translation = GetVector3F64(in + 96);
    p.rotation = GetVector3I16(in + 120);
    std::memcpy(p.padding126, in + 126, 2);
}

}  // namespace morvel::formats::motion
