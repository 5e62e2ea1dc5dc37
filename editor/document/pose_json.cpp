#include "document/pose_json.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <limits>

#include <nlohmann/json.hpp>

#include "base/double_bits.h"
#include "document/table_rebuild.h"

namespace morvel::document {
namespace {

using Json = nlohmann::ordered_json;

Json Number(double value) {
    if (std::isfinite(value)) return value;
    return morvel::base::DoubleBitsText(value);
}

bool ReadNumber(const Json &j, double &out) {
    if (j.is_number()) {
        out = j.get<double>();
        return true;
    }
    if (!j.is_string()) return false;
    const std::string text = j.get<std::string>();
    if (text.size() != 18 || text.compare(0, 2, "0x") != 0) return false;
    uint64_t bits = 0;
    for (size_t i = 2; i < text.size(); ++i) {
        const char c = text[i];
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (digit < 0) return false;
        bits = bits << 4 | static_cast<uint64_t>(digit);
    }
    std::memcpy(&out, &bits, sizeof out);
    return true;
}

bool ReadInt16(const Json &j, int16_t &out) {
    if (!j.is_number_integer()) return false;
    const int64_t value = j.get<int64_t>();
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max()) {
        return false;
    }
    out = static_cast<int16_t>(value);
    return true;
}

// An array of exactly n members read by read.
template <class Read>
bool ReadArray(const Json &position, const char *name, size_t n, Read read) {
    const auto it = position.find(name);
    if (it == position.end() || !it->is_array() || it->size() != n) return false;
    for (size_t i = 0; i < n; ++i) {
        if (!read((*it)[i], i)) return false;
    }
    return true;
}

bool ReadDoubles(const Json &position, const char *name, std::initializer_list<double *> fields) {
    return ReadArray(position, name, fields.size(),
                     [&](const Json &j, size_t i) { return ReadNumber(j, *fields.begin()[i]); });
}

bool ReadPosition(const Json &j, PositionEntry &p) {
    if (!j.is_object()) return false;
    const auto part = j.find("partNumber");
    if (part == j.end() || !ReadInt16(*part, p.partNumber)) return false;
    int16_t *rotation[3] = {&p.rotation.x, &p.rotation.y, &p.rotation.z};
    return ReadDoubles(j, "ambient", {&p.ambient.r, &p.ambient.g, &p.ambient.b, &p.ambient.a}) &&
           ReadDoubles(j, "diffuse", {&p.diffuse.r, &p.diffuse.g, &p.diffuse.b, &p.diffuse.a}) &&
           ReadDoubles(j, "scale", {&p.scale.x, &p.scale.y, &p.scale.z}) &&
           ReadDoubles(j, "translation", {&p.translation.x, &p.translation.y, &p.translation.z}) &&
           ReadArray(j, "rotation", 3, [&](const Json &v, size_t i) { return ReadInt16(v, *rotation[i]); });
}

}  // namespace

std::string PoseToJson(const PositionEntry *positions, uint16_t count) {
    Json list = Json::array();
    for (uint16_t i = 0; i < count; ++i) {
        const PositionEntry &p = positions[i];
        list.push_back(Json{
            {"partNumber", p.partNumber},
            {"ambient", {Number(p.ambient.r), Number(p.ambient.g), Number(p.ambient.b), Number(p.ambient.a)}},
            {"diffuse", {Number(p.diffuse.r), Number(p.diffuse.g), Number(p.diffuse.b), Number(p.diffuse.a)}},
            {"scale", {Number(p.scale.x), Number(p.scale.y), Number(p.scale.z)}},
            {"translation", {Number(p.translation.x), Number(p.translation.y), Number(p.translation.z)}},
            {"rotation", {p.rotation.x, p.rotation.y, p.rotation.z}}});
    }
    return Json{{kPoseJsonMarker, 1}, {"positions", list}}.dump(1, '\t');
}

bool PoseFromJson(const std::string &text, std::vector<PositionEntry> &out) {
    const Json json = Json::parse(text, nullptr, false);
    if (json.is_discarded() || !json.is_object()) return false;
    const auto marker = json.find(kPoseJsonMarker);
    const auto list = json.find("positions");
    if (marker == json.end() || *marker != 1 || list == json.end() || !list->is_array() ||
        list->size() > static_cast<size_t>(kMaxTableCount)) {
        return false;
    }
    std::vector<PositionEntry> positions(list->size());
    for (size_t i = 0; i < positions.size(); ++i) {
        if (!ReadPosition((*list)[i], positions[i])) return false;
    }
    out = std::move(positions);
    return true;
}

}  // namespace morvel::document
