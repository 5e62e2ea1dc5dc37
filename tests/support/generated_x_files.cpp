#include "generated_x_files.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace morvel::formats::xfile::testing {
namespace {

struct Guid {
    uint32_t data1;
    uint16_t data2, data3;
    uint8_t data4[8];

    std::string Text() const {
        char text[40];
        std::snprintf(text, sizeof text, "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X", data1,
                      data2, data3, data4[0], data4[1], data4[2], data4[3], data4[4], data4[5],
                      data4[6], data4[7]);
        return text;
    }
};

constexpr Guid kHeaderGuid = {
    0x3D82AB43, 0x62DA, 0x11CF, {0xAB, 0x39, 0x00, 0x20, 0xAF, 0x71, 0xE4, 0x33}};
constexpr Guid kVectorGuid = {
    0x3D82AB5E, 0x62DA, 0x11CF, {0xAB, 0x39, 0x00, 0x20, 0xAF, 0x71, 0xE4, 0x33}};
constexpr Guid kMatrixGuid = {
    0xF6F23F45, 0x7686, 0x11CF, {0x8F, 0x52, 0x00, 0x40, 0x33, 0x35, 0x94, 0xA3}};
constexpr Guid kMaterialGuid = {
    0x3D82AB4D, 0x62DA, 0x11CF, {0xAB, 0x39, 0x00, 0x20, 0xAF, 0x71, 0xE4, 0x33}};
constexpr Guid kMaterialListGuid = {
    0xF6F23F42, 0x7686, 0x11CF, {0x8F, 0x52, 0x00, 0x40, 0x33, 0x35, 0x94, 0xA3}};
constexpr Guid kSharedGuid = {
    0x12345678, 0x9ABC, 0xDEF0, {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88}};

// Token ids of the binary form.
enum : uint16_t {
    kName = 1,
    kString = 2,
    kInteger = 3,
    kGuidToken = 5,
    kIntegerList = 6,
    kFloatList = 7,
    kOpenBrace = 10,
    kCloseBrace = 11,
    kOpenBracket = 14,
    kCloseBracket = 15,
    kDot = 18,
    kComma = 19,
    kSemicolon = 20,
    kTemplate = 31,
    kWord = 40,
    kDword = 41,
    kFloat = 42,
    kArray = 52,
};

// A template member: a type keyword (or a template's name), its name, and
// for an array the dimension (a number or a member's name).
struct Member {
    uint16_t type;  // 0: typeName
    const char *typeName;
    const char *name;
    const char *dimension;
};

// Writes the same data objects as text or as binary tokens.
class XWriter {
public:
    explicit XWriter(XForm form) : form_(form) {}

    XWriter &Comment(const std::string &text) {
        if (form_ == XForm::Text) Text("# " + text + "\n");
        return *this;
    }

    // "template Name { <guid> members [restriction] }"
    XWriter &Template(const char *name, const Guid &guid, const std::vector<Member> &members,
                      const char *restriction = nullptr) {
        if (form_ == XForm::Text) {
            Text(std::string("template ") + name + " {\n <" + guid.Text() + ">\n");
            for (const Member &m : members) {
                const std::string type = m.type == 0 ? m.typeName : KeywordText(m.type);
                if (m.dimension) {
                    Text(std::string(" array ") + type + " " + m.name + "[" + m.dimension + "];\n");
                } else {
                    Text(" " + type + " " + m.name + ";\n");
                }
            }
            if (restriction) Text(std::string(" [") + restriction + "]\n");
            Text("}\n");
            return *this;
        }
        Token(kTemplate).Name(name).Token(kOpenBrace).GuidToken(guid);
        for (const Member &m : members) {
            if (m.dimension) Token(kArray);
            if (m.type == 0) {
                Name(m.typeName);
            } else {
                Token(m.type);
            }
            Name(m.name);
            if (m.dimension) {
                Token(kOpenBracket);
                if (m.dimension[0] >= '0' && m.dimension[0] <= '9') {
                    Token(kInteger).U32(static_cast<uint32_t>(std::atoi(m.dimension)));
                } else {
                    Name(m.dimension);
                }
                Token(kCloseBracket);
            }
            Token(kSemicolon);
        }
        if (restriction) {
            Token(kOpenBracket);
            if (std::strcmp(restriction, "...") == 0) {
                Token(kDot).Token(kDot).Token(kDot);
            } else {
                Name("Material").GuidToken(kMaterialGuid);
            }
            Token(kCloseBracket);
        }
        return Token(kCloseBrace);
    }

    XWriter &Open(const std::string &identifier, const std::string &name = "",
                  const Guid *guid = nullptr) {
        if (form_ == XForm::Text) {
            Text(std::string(depth_, ' ') + identifier + (name.empty() ? "" : " " + name) + " {" +
                 (guid ? " <" + guid->Text() + ">" : "") + "\n");
        } else {
            Name(identifier);
            if (!name.empty()) Name(name);
            Token(kOpenBrace);
            if (guid) GuidToken(*guid);
        }
        ++depth_;
        return *this;
    }

    XWriter &Close() {
        --depth_;
        if (form_ == XForm::Text) return Text(std::string(depth_, ' ') + "}\n");
        return Token(kCloseBrace);
    }

    // One member of integers: "1,2,3;".
    XWriter &Ints(const std::vector<uint32_t> &values) {
        if (form_ == XForm::Text) {
            std::string line(depth_, ' ');
            for (size_t i = 0; i < values.size(); ++i)
                line += (i ? "," : "") + std::to_string(values[i]);
            return Text(line + ";\n");
        }
        Token(kIntegerList).U32(static_cast<uint32_t>(values.size()));
        for (uint32_t v : values) U32(v);
        return Token(kSemicolon);
    }

    // One member of floats, six decimals in text: every value the scene
    // uses is a multiple of 1/64, which six decimals hold exactly.
    XWriter &Floats(const std::vector<float> &values) {
        if (form_ == XForm::Text) {
            std::string line(depth_, ' ');
            char number[32];
            for (size_t i = 0; i < values.size(); ++i) {
                std::snprintf(number, sizeof number, "%s%.6f", i ? ";" : "", values[i]);
                line += number;
            }
            return Text(line + ";;\n");
        }
        Token(kFloatList).U32(static_cast<uint32_t>(values.size()));
        for (float v : values) {
            uint32_t bits;
            std::memcpy(&bits, &v, 4);
            U32(bits);
        }
        return Token(kSemicolon);
    }

    XWriter &String(const std::string &text) {
        if (form_ == XForm::Text) return Text(std::string(depth_, ' ') + "\"" + text + "\";\n");
        Token(kString).U32(static_cast<uint32_t>(text.size()));
        bytes_.insert(bytes_.end(), text.begin(), text.end());
        return Token(kSemicolon);
    }

    XWriter &Reference(const std::string &name) {
        if (form_ == XForm::Text) return Text(std::string(depth_, ' ') + "{ " + name + " }\n");
        return Token(kOpenBrace).Name(name).Token(kCloseBrace);
    }

    XWriter &Reference(const Guid &guid) {
        if (form_ == XForm::Text)
            return Text(std::string(depth_, ' ') + "{ <" + guid.Text() + "> }\n");
        return Token(kOpenBrace).GuidToken(guid).Token(kCloseBrace);
    }

    std::vector<uint8_t> File() const {
        const std::string header = form_ == XForm::Text ? "xof 0303txt 0032" : "xof 0303bin 0032";
        std::vector<uint8_t> file(header.begin(), header.end());
        if (form_ == XForm::Text) file.push_back('\n');
        file.insert(file.end(), bytes_.begin(), bytes_.end());
        return file;
    }

private:
    static const char *KeywordText(uint16_t id) {
        switch (id) {
            case kWord:
                return "WORD";
            case kDword:
                return "DWORD";
            default:
                return "FLOAT";
        }
    }

    XWriter &Text(const std::string &text) {
        bytes_.insert(bytes_.end(), text.begin(), text.end());
        return *this;
    }
    XWriter &Token(uint16_t id) { return U16(id); }
    XWriter &Name(const std::string &name) {
        Token(kName).U32(static_cast<uint32_t>(name.size()));
        bytes_.insert(bytes_.end(), name.begin(), name.end());
        return *this;
    }
    XWriter &GuidToken(const Guid &guid) {
        Token(kGuidToken).U32(guid.data1).U16(guid.data2).U16(guid.data3);
        bytes_.insert(bytes_.end(), guid.data4, guid.data4 + 8);
        return *this;
    }
    XWriter &U16(uint16_t v) {
        bytes_.insert(bytes_.end(), {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)});
        return *this;
    }
    XWriter &U32(uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<uint8_t>(v >> (8 * i)));
        return *this;
    }

    XForm form_;
    int depth_ = 0;
    std::vector<uint8_t> bytes_;
};

void Transform(XWriter &w, const std::vector<float> &matrix, const std::string &name = "") {
    w.Open("FrameTransformMatrix", name).Floats(matrix).Close();
}

std::vector<float> Translation(float x, float y, float z) {
    return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1};
}

void WriteTemplates(XWriter &w) {
    w.Template("Header", kHeaderGuid,
               {{kWord, nullptr, "major", nullptr},
                {kWord, nullptr, "minor", nullptr},
                {kDword, nullptr, "flags", nullptr}});
    w.Template("Vector", kVectorGuid,
               {{kFloat, nullptr, "x", nullptr},
                {kFloat, nullptr, "y", nullptr},
                {kFloat, nullptr, "z", nullptr}});
    w.Template("Matrix4x4", kMatrixGuid, {{kFloat, nullptr, "matrix", "16"}});
    w.Template("MeshMaterialList", kMaterialListGuid,
               {{kDword, nullptr, "nMaterials", nullptr},
                {kDword, nullptr, "nFaceIndexes", nullptr},
                {kDword, nullptr, "faceIndexes", "nFaceIndexes"}},
               "Material");
    w.Template("Frame",
               {0x3D82AB46, 0x62DA, 0x11CF, {0xAB, 0x39, 0x00, 0x20, 0xAF, 0x71, 0xE4, 0x33}}, {},
               "...");
}

// A unit cube centred on the origin: eight corners, six quads with a normal
// each (so every corner is copied for each of its three normals), texture
// coordinates, a colour per corner and three materials.
void WriteCube(XWriter &w) {
    w.Open("Mesh", "Cube");
    w.Ints({8});
    w.Floats({-0.5f, -0.5f, -0.5f, 0.5f, -0.5f, -0.5f, 0.5f, 0.5f, -0.5f, -0.5f, 0.5f, -0.5f,
              -0.5f, -0.5f, 0.5f,  0.5f, -0.5f, 0.5f,  0.5f, 0.5f, 0.5f,  -0.5f, 0.5f, 0.5f});
    w.Ints({6, 4, 0, 3, 2, 1, 4, 4, 5, 6, 7, 4, 0, 4, 7, 3,
            4, 1, 2, 6, 5, 4, 0, 1, 5, 4, 4, 3, 7, 6, 2});
    w.Open("MeshNormals");
    w.Ints({6});
    w.Floats({0, 0, -1, 0, 0, 1, -1, 0, 0, 1, 0, 0, 0, -1, 0, 0, 1, 0});
    w.Ints({6, 4, 0, 0, 0, 0, 4, 1, 1, 1, 1, 4, 2, 2, 2, 2,
            4, 3, 3, 3, 3, 4, 4, 4, 4, 4, 4, 5, 5, 5, 5});
    w.Close();
    w.Open("MeshTextureCoords").Ints({8});
    w.Floats({0, 0, 1, 0, 1, 1, 0, 1, 0.25f, 0.25f, 0.75f, 0.25f, 0.75f, 0.75f, 0.25f, 0.75f})
        .Close();
    w.Open("MeshVertexColors").Ints({8});
    for (uint32_t v = 0; v < 8; ++v) {
        w.Ints({v});
        w.Floats({v & 1 ? 1.0f : 0.0f, v & 2 ? 1.0f : 0.5f, v & 4 ? 1.0f : 0.0f, 1.0f});
    }
    w.Close();
    w.Open("MeshMaterialList").Ints({3}).Ints({6}).Ints({1, 1, 0, 2, 2, 2});
    w.Reference("Shared");
    w.Open("Material", "Red").Floats({1, 0, 0, 1}).Floats({16}).Floats({1, 1, 1}).Floats({0, 0, 0});
    w.Open("TextureFilename").String("red.bmp").Close().Close();
    w.Open("Material")
        .Floats({0, 0, 1, 0.5f})
        .Floats({4})
        .Floats({0.5f, 0.5f, 0.5f})
        .Floats({0.125f, 0, 0});
    w.Open("TextureFilename").String("C:\\\\textures\\\\blue.tga").Close().Close();
    w.Close();
    // What the loader skips: vertex declarations, skinning and duplication data.
    w.Open("DeclData").Ints({1}).Ints({2, 0, 3, 0}).Ints({8, 1, 2, 3, 4, 5, 6, 7, 8}).Close();
    w.Open("XSkinMeshHeader").Ints({1}).Ints({3}).Ints({1}).Close();
    w.Open("SkinWeights").String("Root").Ints({2}).Ints({0, 1}).Floats({1, 1});
    w.Floats(Translation(0, 0, 0)).Close();
    w.Open("VertexDuplicationIndices").Ints({8}).Ints({8}).Ints({0, 1, 2, 3, 4, 5, 6, 7}).Close();
    w.Close();
}

// A quad in z = 0, whose material is the shared one by GUID.
void WriteQuad(XWriter &w) {
    w.Open("Mesh", "3DSMesh_1");
    w.Ints({4}).Floats({0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0});
    w.Ints({1, 4, 0, 1, 2, 3});
    w.Open("MeshNormals").Ints({1}).Floats({0, 0, 1}).Ints({1, 4, 0, 0, 0, 0}).Close();
    w.Open("MeshTextureCoords").Ints({4}).Floats({0, 0, 1, 0, 1, 1, 0, 1}).Close();
    w.Open("MeshMaterialList").Ints({1}).Ints({1}).Ints({0}).Reference(kSharedGuid).Close();
    w.Close();
}

void WriteScene(XWriter &w) {
    w.Comment("written by the X-file tests");
    WriteTemplates(w);
    w.Open("Header").Ints({1}).Ints({0}).Ints({1}).Close();
    w.Open("Material", "Shared", &kSharedGuid).Floats({0.5f, 0.5f, 0.5f, 1}).Floats({8});
    w.Floats({0.25f, 0.25f, 0.25f}).Floats({0, 0, 0.125f}).Close();

    w.Open("Frame", "Root");
    Transform(w, Translation(0, 2, 0));
    WriteCube(w);
    w.Open("Frame", "Arm");
    Transform(w, {2, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 0, 0, 1}, "relative");
    w.Open("Frame", "Level2");
    w.Comment("a projective transform: w is 0.5, so points double");
    Transform(w, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0.5f});
    w.Open("Frame", "Level3").Open("Frame", "Level4").Open("Frame", "Level5");
    Transform(w, {0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});  // 90 degrees about z
    w.Open("Frame", "Level6");
    WriteQuad(w);
    w.Close().Close().Close().Close().Close().Close();
    w.Close();

    w.Open("AnimationSet", "Walk").Open("Animation").Reference("Root");
    w.Open("AnimationKey").Ints({0}).Ints({2}).Ints({0}).Ints({4}).Floats({1, 0, 0, 0});
    w.Ints({10}).Ints({4}).Floats({0, 0, 0, 1}).Close();
    w.Close().Close();
}

void PutU16(std::vector<uint8_t> &out, size_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

}  // namespace

std::vector<uint8_t> GeneratedScene(XForm form) {
    XWriter w(form);
    WriteScene(w);
    return w.File();
}

std::vector<uint8_t> Compressed(const std::vector<uint8_t> &file, size_t blockSize) {
    const bool text = std::memcmp(file.data() + 8, "txt ", 4) == 0;
    std::vector<uint8_t> out(file.begin(), file.begin() + 16);
    std::memcpy(out.data() + 8, text ? "tzip" : "bzip", 4);
    const uint32_t total = static_cast<uint32_t>(file.size());
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(total >> (8 * i)));
    const uint8_t *body = file.data() + 16;
    const size_t bodySize = file.size() - 16;
    for (size_t start = 0; start < bodySize; start += blockSize) {
        const size_t size = std::min(blockSize, bodySize - start);
        const size_t dictionary = std::min<size_t>(start, 32768);
        z_stream z{};
        deflateInit2(&z, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
        if (dictionary > 0)
            deflateSetDictionary(&z, body + start - dictionary, static_cast<uInt>(dictionary));
        std::vector<uint8_t> packed(deflateBound(&z, static_cast<uLong>(size)) + 16);
        z.next_in = const_cast<Bytef *>(body + start);
        z.avail_in = static_cast<uInt>(size);
        z.next_out = packed.data();
        z.avail_out = static_cast<uInt>(packed.size());
        deflate(&z, Z_FINISH);
        packed.resize(z.total_out);
        deflateEnd(&z);
        PutU16(out, size);
        PutU16(out, packed.size() + 2);
        out.push_back('C');
        out.push_back('K');
        out.insert(out.end(), packed.begin(), packed.end());
    }
    return out;
}

std::vector<uint8_t> RedBitmap() {
    std::vector<uint8_t> file = {'B', 'M'};
    auto put32 = [&file](uint32_t v) {
        for (int i = 0; i < 4; ++i) file.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    put32(54 + 16);
    put32(0);
    put32(54);
    put32(40);
    put32(2);  // width
    put32(2);  // height
    file.insert(file.end(), {1, 0, 24, 0});
    for (int i = 0; i < 6; ++i) put32(0);
    for (int row = 0; row < 2; ++row) file.insert(file.end(), {0, 0, 255, 0, 0, 255, 0, 0});
    return file;
}

std::vector<uint8_t> LargeTextFile(size_t size) {
    std::string text = "xof 0303txt 0032\nUnknownData {\n";
    // Strings with braces first; numbers only where the window ends.
    for (uint32_t i = 0; text.size() < size; ++i) {
        text += " " + std::to_string(i) + ";" + std::to_string(i * 7 % 1000) + ".125;";
        text += i < 1000 ? "\"{ not a brace }\";\n" : "\n";
    }
    text += "}\nMesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }\n";
    return std::vector<uint8_t>(text.begin(), text.end());
}

}  // namespace morvel::formats::xfile::testing
