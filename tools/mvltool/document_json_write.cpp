#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "document_json.h"
#include "base/double_bits.h"
#include "text_conversion.h"

namespace mvltool {
namespace {

using Json = nlohmann::ordered_json;

Json Hex(const char *bytes, size_t size) {
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (size_t i = 0; i < size; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        hex += kDigits[b >> 4];
        hex += kDigits[b & 15];
    }
    return Json{{"bytes", hex}};
}

// A NUL-terminated field: its text when the text alone gives the field back.
Json TextField(const char *field, size_t size) {
    const void *nul = std::memchr(field, '\0', size);
    if (nul == nullptr) return Hex(field, size);
    const size_t length = static_cast<size_t>(static_cast<const char *>(nul) - field);
    for (size_t i = length; i < size; ++i) {
        if (field[i] != '\0') return Hex(field, size);
    }
    const std::string text(field, length);
    std::string utf8;
    std::string back;
    if (!Cp932ToUtf8(text, utf8) || !Utf8ToCp932(utf8, back) || back != text) {
        return Hex(field, size);
    }
    return utf8;
}

// The four characters of magic and version, which have no terminator.
Json CodeField(const char *field) {
    for (int i = 0; i < 4; ++i) {
        if (field[i] < 0x20 || field[i] > 0x7E) return Hex(field, 4);
    }
    return std::string(field, 4);
}

Json Number(double value) {
    if (std::isfinite(value)) return value;
    return morvel::base::DoubleBitsText(value);
}

Json Rgba(const MvlRgba8 &c) { return Json::array({c.r, c.g, c.b, c.a}); }
Json Rgba(const MvlRgbaF64 &c) {
    return Json::array({Number(c.r), Number(c.g), Number(c.b), Number(c.a)});
}
Json Vector(const MvlVector3F64 &v) { return Json::array({Number(v.x), Number(v.y), Number(v.z)}); }
Json Vector(const MvlVector3I16 &v) { return Json::array({v.x, v.y, v.z}); }

Json HeaderToJson(const MotionFileHeader &h) {
    Json j;
    j["magic"] = CodeField(h.magic);
    j["version"] = CodeField(h.version);
    j["userCode"] = TextField(h.userCode, sizeof h.userCode);
    j["partCount"] = h.partCount;
    j["motionCount"] = h.motionCount;
    j["reserved32"] = h.reserved32;
    j["backgroundColour"] = Rgba(h.backgroundColour);
    j["axisVisible"] = h.axisVisible;
    j["axisColour"] = Rgba(h.axisColour);
    j["statusTextVisible"] = h.statusTextVisible;
    j["statusTextColour"] = Rgba(h.statusTextColour);
    j["cameraElevation"] = h.cameraElevation;
    j["cameraAzimuth"] = h.cameraAzimuth;
    j["reserved56"] = h.reserved56;
    j["cameraDistance"] = h.cameraDistance;
    j["reserved64"] = Json::array({Number(h.reserved64[0]), Number(h.reserved64[1]),
                                   Number(h.reserved64[2])});
    j["cullingMode"] = h.cullingMode;
    j["initialScale"] = Vector(h.initialScale);
    j["rightHanded"] = h.rightHanded;
    j["axisDirection"] = h.axisDirection;
    j["initialAmbient"] = Rgba(h.initialAmbient);
    j["initialDiffuse"] = Rgba(h.initialDiffuse);
    return j;
}

Json PositionToJson(const PositionEntry &p) {
    Json j;
    j["partNumber"] = p.partNumber;
    j["ambient"] = Rgba(p.ambient);
    j["diffuse"] = Rgba(p.diffuse);
    j["scale"] = Vector(p.scale);
    j["translation"] = Vector(p.translation);
    j["rotation"] = Vector(p.rotation);
    return j;
}

Json MotionToJson(const MotionEntry &motion) {
    Json j;
    j["name"] = TextField(motion.name, sizeof motion.name);
    j["soundFileName"] = TextField(motion.soundFileName, sizeof motion.soundFileName);
    Json frames = Json::array();
    for (uint16_t f = 0; f < motion.frameCount; ++f) {
        const FrameEntry &frame = motion.frames[f];
        Json positions = Json::array();
        for (uint16_t p = 0; p < frame.positionCount; ++p) {
            positions.push_back(PositionToJson(frame.positions[p]));
        }
        frames.push_back(Json{{"comment", TextField(frame.comment, sizeof frame.comment)},
                              {"positions", positions}});
    }
    j["frames"] = frames;
    return j;
}

}  // namespace

Json DocumentToJson(const MotionDocument &document) {
    Json j;
    j["header"] = HeaderToJson(document.header);
    Json parts = Json::array();
    for (uint16_t p = 0; p < document.header.partCount; ++p) {
        const PartEntry &part = document.parts[p];
        parts.push_back(Json{{"fileName", TextField(part.fileName, sizeof part.fileName)},
                             {"reserved", part.reserved64}});
    }
    j["parts"] = parts;
    Json motions = Json::array();
    for (uint16_t m = 0; m < document.header.motionCount; ++m) {
        motions.push_back(MotionToJson(document.motions[m]));
    }
    j["motions"] = motions;
    return j;
}

}  // namespace mvltool
