#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <vector>

#include "document_json.h"
#include "text_conversion.h"

namespace mvltool {
namespace {

using Json = nlohmann::ordered_json;

// Reads JSON values into record fields; the first failure is kept, naming
// the field by its path ("motions[0].frames[2].comment").
class FieldReader {
public:
    const std::string &Error() const { return error_; }

    bool Fail(const std::string &path, const std::string &what) {
        if (error_.empty()) error_ = path + ": " + what;
        return false;
    }

    // Members outside names are refused, so that a misspelt field is not lost.
    bool KnownMembers(const Json &object, const std::string &path,
                      std::initializer_list<const char *> names) {
        if (!object.is_object()) return Fail(path, "must be an object");
        for (auto it = object.begin(); it != object.end(); ++it) {
            bool known = false;
            for (const char *name : names) known = known || it.key() == name;
            if (!known) return Fail(Join(path, Printable(it.key())), "unknown field");
        }
        return true;
    }

    // A member name as it can stand in a one-line message: control
    // characters (a JSON name may hold any) written as \xNN.
    static std::string Printable(const std::string &name) {
        std::string out;
        for (const char c : name) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte >= 0x20 && byte != 0x7F) {
                out += c;
                continue;
            }
            static const char kHex[] = "0123456789ABCDEF";
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        }
        return out;
    }

    static std::string Join(const std::string &path, const std::string &name) {
        return path.empty() ? name : path + "." + name;
    }
    static std::string Index(const std::string &path, size_t i) {
        return path + "[" + std::to_string(i) + "]";
    }

    bool Integer(const Json &j, const std::string &path, int64_t min, int64_t max, int64_t &out) {
        if (!j.is_number_integer()) return Fail(path, "must be an integer");
        const bool isUnsigned = j.is_number_unsigned();
        const uint64_t u = isUnsigned ? j.get<uint64_t>() : 0;
        const int64_t v = isUnsigned ? static_cast<int64_t>(u) : j.get<int64_t>();
        if ((isUnsigned && u > static_cast<uint64_t>(INT64_MAX)) || v < min || v > max) {
            return Fail(path, "value " + j.dump() + " is outside " + std::to_string(min) + ".." +
                                  std::to_string(max));
        }
        out = v;
        return true;
    }

    template <class IntType>
    bool Int(const Json &j, const std::string &path, IntType &out) {
        int64_t v = 0;
        if (!Integer(j, path, static_cast<int64_t>(std::numeric_limits<IntType>::min()),
                     static_cast<int64_t>(std::numeric_limits<IntType>::max()), v)) {
            return false;
        }
        out = static_cast<IntType>(v);
        return true;
    }

    bool Double(const Json &j, const std::string &path, double &out) {
        if (j.is_number()) {
            out = j.get<double>();
            return true;
        }
        // A bit pattern, for the values JSON numbers cannot hold.
        if (j.is_string()) {
            const std::string text = j.get<std::string>();
            if (text.size() == 18 && text.compare(0, 2, "0x") == 0 &&
                text.find_first_not_of("0123456789abcdefABCDEF", 2) == std::string::npos) {
                const uint64_t bits = std::strtoull(text.c_str() + 2, nullptr, 16);
                std::memcpy(&out, &bits, sizeof out);
                return true;
            }
        }
        return Fail(path, "must be a number (or a \"0x\" and 16 hex digits bit pattern)");
    }

    bool Bytes(const Json &j, const std::string &path, char *field, size_t size) {
        if (j.size() != 1 || !j.contains("bytes") || !j.at("bytes").is_string() ||
            j.at("bytes").get<std::string>().size() != 2 * size) {
            return Fail(path, "bytes must be " + std::to_string(2 * size) + " hex digits");
        }
        const std::string digits = j.at("bytes").get<std::string>();
        for (size_t i = 0; i < size; ++i) {
            const std::string pair = digits.substr(2 * i, 2);
            if (pair.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
                return Fail(path, "bytes must be hex digits");
            }
            field[i] = static_cast<char>(std::strtoul(pair.c_str(), nullptr, 16));
        }
        return true;
    }

    // A NUL-terminated field of size bytes: text of at most size - 1 bytes in
    // code page 932.
    bool Text(const Json &j, const std::string &path, char *field, size_t size) {
        std::memset(field, 0, size);
        if (j.is_object()) return Bytes(j, path, field, size);
        if (!j.is_string()) return Fail(path, "must be a text");
        std::string cp932;
        if (!Utf8ToCp932(j.get<std::string>(), cp932)) {
            return Fail(path, "text has no code page 932 form");
        }
        if (cp932.size() > size - 1) {
            return Fail(path, "text of " + std::to_string(cp932.size()) +
                                  " bytes does not fit (at most " + std::to_string(size - 1) +
                                  ")");
        }
        std::memcpy(field, cp932.data(), cp932.size());
        return true;
    }

    // magic and version: four characters without a terminator.
    bool Code(const Json &j, const std::string &path, char *field) {
        std::memset(field, 0, 4);
        if (j.is_object()) return Bytes(j, path, field, 4);
        if (!j.is_string()) return Fail(path, "must be a text");
        std::string cp932;
        if (!Utf8ToCp932(j.get<std::string>(), cp932)) {
            return Fail(path, "text has no code page 932 form");
        }
        if (cp932.size() > 4) return Fail(path, "text does not fit (at most 4 bytes)");
        std::memcpy(field, cp932.data(), cp932.size());
        return true;
    }

    // An array of exactly count numbers.
    bool Doubles(const Json &j, const std::string &path, double *out, size_t count) {
        if (!j.is_array() || j.size() != count) {
            return Fail(path, "must be an array of " + std::to_string(count) + " numbers");
        }
        for (size_t i = 0; i < count; ++i) {
            if (!Double(j[i], Index(path, i), out[i])) return false;
        }
        return true;
    }

    template <class IntType>
    bool Ints(const Json &j, const std::string &path, IntType *out, size_t count) {
        if (!j.is_array() || j.size() != count) {
            return Fail(path, "must be an array of " + std::to_string(count) + " integers");
        }
        for (size_t i = 0; i < count; ++i) {
            if (!Int(j[i], Index(path, i), out[i])) return false;
        }
        return true;
    }

    bool Rgba(const Json &j, const std::string &path, MvlRgba8 &c) {
        uint8_t v[4];
        if (!Ints(j, path, v, 4)) return false;
        c = MvlRgba8{v[0], v[1], v[2], v[3]};
        return true;
    }
    bool Rgba(const Json &j, const std::string &path, MvlRgbaF64 &c) {
        double v[4];
        if (!Doubles(j, path, v, 4)) return false;
        c = MvlRgbaF64{v[0], v[1], v[2], v[3]};
        return true;
    }
    bool Vector(const Json &j, const std::string &path, MvlVector3F64 &out) {
        double v[3];
        if (!Doubles(j, path, v, 3)) return false;
        out = MvlVector3F64{v[0], v[1], v[2]};
        return true;
    }
    bool Vector(const Json &j, const std::string &path, MvlVector3I16 &out) {
        int16_t v[3];
        if (!Ints(j, path, v, 3)) return false;
        out = MvlVector3I16{v[0], v[1], v[2]};
        return true;
    }

    // A table of at most 65,535 entries.
    bool Table(const Json &object, const char *name, const std::string &path, const Json *&out) {
        static const Json kEmpty = Json::array();
        out = &kEmpty;
        if (!object.contains(name)) return true;
        const Json &table = object[name];
        const std::string at = Join(path, name);
        if (!table.is_array()) return Fail(at, "must be an array");
        if (table.size() > 65535) return Fail(at, "has more than 65535 entries");
        out = &table;
        return true;
    }

private:
    std::string error_;
};

// Runs read for the member name when the object has it (absent members keep
// their defaults).
template <class Read>
bool Optional(const Json &object, const char *name, Read read) {
    return !object.contains(name) || read(object[name]);
}

bool ReadHeader(FieldReader &r, const Json &j, MotionFileHeader &h) {
    const std::string p = "header";
    if (!r.KnownMembers(j, p,
                        {"magic", "version", "userCode", "partCount", "motionCount", "reserved32",
                         "backgroundColour", "axisVisible", "axisColour", "statusTextVisible",
                         "statusTextColour", "cameraElevation", "cameraAzimuth", "reserved56",
                         "cameraDistance", "reserved64", "cullingMode", "initialScale",
                         "rightHanded", "axisDirection", "initialAmbient", "initialDiffuse"})) {
        return false;
    }
    auto at = [&p](const char *name) { return FieldReader::Join(p, name); };
    return Optional(j, "magic", [&](const Json &v) { return r.Code(v, at("magic"), h.magic); }) &&
           Optional(j, "version",
                    [&](const Json &v) { return r.Code(v, at("version"), h.version); }) &&
           Optional(j, "userCode",
                    [&](const Json &v) {
                        return r.Text(v, at("userCode"), h.userCode, sizeof h.userCode);
                    }) &&
           Optional(j, "partCount",
                    [&](const Json &v) { return r.Int(v, at("partCount"), h.partCount); }) &&
           Optional(j, "motionCount",
                    [&](const Json &v) { return r.Int(v, at("motionCount"), h.motionCount); }) &&
           Optional(j, "reserved32",
                    [&](const Json &v) { return r.Int(v, at("reserved32"), h.reserved32); }) &&
           Optional(j, "backgroundColour",
                    [&](const Json &v) {
                        return r.Rgba(v, at("backgroundColour"), h.backgroundColour);
                    }) &&
           Optional(j, "axisVisible",
                    [&](const Json &v) { return r.Int(v, at("axisVisible"), h.axisVisible); }) &&
           Optional(j, "axisColour",
                    [&](const Json &v) { return r.Rgba(v, at("axisColour"), h.axisColour); }) &&
           Optional(j, "statusTextVisible",
                    [&](const Json &v) {
                        return r.Int(v, at("statusTextVisible"), h.statusTextVisible);
                    }) &&
           Optional(j, "statusTextColour",
                    [&](const Json &v) {
                        return r.Rgba(v, at("statusTextColour"), h.statusTextColour);
                    }) &&
           Optional(j, "cameraElevation",
                    [&](const Json &v) {
                        return r.Int(v, at("cameraElevation"), h.cameraElevation);
                    }) &&
           Optional(j, "cameraAzimuth",
                    [&](const Json &v) { return r.Int(v, at("cameraAzimuth"), h.cameraAzimuth); }) &&
           Optional(j, "reserved56",
                    [&](const Json &v) { return r.Int(v, at("reserved56"), h.reserved56); }) &&
           Optional(j, "cameraDistance",
                    [&](const Json &v) {
                        return r.Int(v, at("cameraDistance"), h.cameraDistance);
                    }) &&
           Optional(j, "reserved64",
                    [&](const Json &v) { return r.Doubles(v, at("reserved64"), h.reserved64, 3); }) &&
           Optional(j, "cullingMode",
                    [&](const Json &v) { return r.Int(v, at("cullingMode"), h.cullingMode); }) &&
           Optional(j, "initialScale",
                    [&](const Json &v) {
                        return r.Vector(v, at("initialScale"), h.initialScale);
                    }) &&
           Optional(j, "rightHanded",
                    [&](const Json &v) { return r.Int(v, at("rightHanded"), h.rightHanded); }) &&
           Optional(j, "axisDirection",
                    [&](const Json &v) { return r.Int(v, at("axisDirection"), h.axisDirection); }) &&
           Optional(j, "initialAmbient",
                    [&](const Json &v) {
                        return r.Rgba(v, at("initialAmbient"), h.initialAmbient);
                    }) &&
           Optional(j, "initialDiffuse", [&](const Json &v) {
               return r.Rgba(v, at("initialDiffuse"), h.initialDiffuse);
           });
}

bool ReadPosition(FieldReader &r, const Json &j, const std::string &p, PositionEntry &out) {
    if (!r.KnownMembers(j, p,
                        {"partNumber", "ambient", "diffuse", "scale", "translation", "rotation"})) {
        return false;
    }
    auto at = [&p](const char *name) { return FieldReader::Join(p, name); };
    return Optional(j, "partNumber",
                    [&](const Json &v) { return r.Int(v, at("partNumber"), out.partNumber); }) &&
           Optional(j, "ambient",
                    [&](const Json &v) { return r.Rgba(v, at("ambient"), out.ambient); }) &&
           Optional(j, "diffuse",
                    [&](const Json &v) { return r.Rgba(v, at("diffuse"), out.diffuse); }) &&
           Optional(j, "scale", [&](const Json &v) { return r.Vector(v, at("scale"), out.scale); }) &&
           Optional(j, "translation",
                    [&](const Json &v) { return r.Vector(v, at("translation"), out.translation); }) &&
           Optional(j, "rotation",
                    [&](const Json &v) { return r.Vector(v, at("rotation"), out.rotation); });
}

// The tables while they are read, in this program's memory; handed to the
// library with one Mvl_Func_Copy.
struct Tables {
    std::vector<PartEntry> parts;
    std::vector<MotionEntry> motions;
    std::vector<std::vector<FrameEntry>> frames;
    std::vector<std::vector<std::vector<PositionEntry>>> positions;
};

bool ReadMotion(FieldReader &r, const Json &j, const std::string &p, Tables &t, size_t m) {
    if (!r.KnownMembers(j, p, {"name", "soundFileName", "frames"})) return false;
    MotionEntry &motion = t.motions[m];
    auto at = [&p](const char *name) { return FieldReader::Join(p, name); };
    if (!Optional(j, "name",
                  [&](const Json &v) {
                      return r.Text(v, at("name"), motion.name, sizeof motion.name);
                  }) ||
        !Optional(j, "soundFileName", [&](const Json &v) {
            return r.Text(v, at("soundFileName"), motion.soundFileName,
                          sizeof motion.soundFileName);
        })) {
        return false;
    }
    const Json *frames = nullptr;
    if (!r.Table(j, "frames", p, frames)) return false;
    t.frames[m].resize(frames->size());
    t.positions[m].resize(frames->size());
    for (size_t f = 0; f < frames->size(); ++f) {
        const std::string fp = FieldReader::Index(at("frames"), f);
        const Json &fj = (*frames)[f];
        FrameEntry &frame = t.frames[m][f];
        if (!r.KnownMembers(fj, fp, {"comment", "positions"})) return false;
        if (!Optional(fj, "comment", [&](const Json &v) {
                return r.Text(v, FieldReader::Join(fp, "comment"), frame.comment,
                              sizeof frame.comment);
            })) {
            return false;
        }
        const Json *positions = nullptr;
        if (!r.Table(fj, "positions", fp, positions)) return false;
        t.positions[m][f].resize(positions->size());
        for (size_t q = 0; q < positions->size(); ++q) {
            const std::string qp = FieldReader::Index(FieldReader::Join(fp, "positions"), q);
            if (!ReadPosition(r, (*positions)[q], qp, t.positions[m][f][q])) return false;
        }
    }
    return true;
}

bool CountMatches(FieldReader &r, const Json &header, const char *name, size_t entries,
                  const char *table) {
    if (!header.contains(name)) return true;
    if (header[name].get<uint64_t>() == entries) return true;
    return r.Fail(std::string("header.") + name,
                  header[name].dump() + " does not match the " + std::to_string(entries) +
                      " entries of " + table);
}

}  // namespace

bool JsonToDocument(const Json &json, MotionDocument &document, std::string &error) {
    FieldReader r;
    Tables t;
    MotionFileHeader header = document.header;
    bool ok = r.KnownMembers(json, "document", {"header", "parts", "motions"});
    const Json *parts = nullptr;
    const Json *motions = nullptr;
    ok = ok && Optional(json, "header", [&](const Json &v) { return ReadHeader(r, v, header); });
    ok = ok && r.Table(json, "parts", "", parts) && r.Table(json, "motions", "", motions);
    if (ok) {
        t.parts.resize(parts->size());
        for (size_t i = 0; ok && i < parts->size(); ++i) {
            const std::string p = FieldReader::Index("parts", i);
            const Json &pj = (*parts)[i];
            PartEntry &part = t.parts[i];
            ok = r.KnownMembers(pj, p, {"fileName", "reserved"}) &&
                 Optional(pj, "fileName",
                          [&](const Json &v) {
                              return r.Text(v, p + ".fileName", part.fileName,
                                            sizeof part.fileName);
                          }) &&
                 Optional(pj, "reserved", [&](const Json &v) {
                     return r.Int(v, p + ".reserved", part.reserved64);
                 });
        }
        t.motions.resize(motions->size());
        t.frames.resize(motions->size());
        t.positions.resize(motions->size());
        for (size_t m = 0; ok && m < motions->size(); ++m) {
            ok = ReadMotion(r, (*motions)[m], FieldReader::Index("motions", m), t, m);
        }
    }
    if (ok && json.contains("header")) {
        ok = CountMatches(r, json["header"], "partCount", t.parts.size(), "parts") &&
             CountMatches(r, json["header"], "motionCount", t.motions.size(), "motions");
    }
    if (!ok) {
        error = r.Error();
        return false;
    }
    for (size_t m = 0; m < t.motions.size(); ++m) {
        for (size_t f = 0; f < t.frames[m].size(); ++f) {
            t.frames[m][f].positionCount = static_cast<uint16_t>(t.positions[m][f].size());
            t.frames[m][f].positions = t.positions[m][f].data();
        }
        t.motions[m].frameCount = static_cast<uint16_t>(t.frames[m].size());
        t.motions[m].frames = t.frames[m].data();
    }
    MotionDocument source{};
    source.header = header;
    source.header.partCount = static_cast<uint16_t>(t.parts.size());
    source.header.motionCount = static_cast<uint16_t>(t.motions.size());
    source.parts = t.parts.data();
    source.motions = t.motions.data();
    if (Mvl_Func_Copy(&document, &source) == 0) {
        error = "out of memory";
        return false;
    }
    return true;
}

}  // namespace mvltool
