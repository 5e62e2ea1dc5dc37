#include "formats/xfile/x_object_parser.h"

#include <string_view>
#include <unordered_map>
#include <vector>

#include "formats/xfile/binary_tokenizer.h"
#include "formats/xfile/text_tokenizer.h"
#include "formats/xfile/x_limits.h"

namespace morvel::formats::xfile {
namespace {

uint8_t ColorByte(float value) {
    if (!(value > 0.0f)) return 0;  // also NaN
    if (value >= 1.0f) return 255;
    return static_cast<uint8_t>(value * 255.0f + 0.5f);
}

uint32_t ToArgb(float r, float g, float b, float a) {
    return static_cast<uint32_t>(ColorByte(a)) << 24 | static_cast<uint32_t>(ColorByte(r)) << 16 |
           static_cast<uint32_t>(ColorByte(g)) << 8 | ColorByte(b);
}

struct Reference {
    std::string name;
    std::string guid;
};

// One parser per tokenizer type; both tokenizers offer the same operations.
template <class Tokens>
class ObjectParser {
public:
    ObjectParser(Tokens &tokens, XScene &scene) : tokens_(tokens), scene_(scene) {}

    bool ParseAll() {
        for (;;) {
            Token token;
            if (!tokens_.Next(token)) return false;
            switch (token.kind) {
                case TokenKind::End: return ResolvePendingMaterials();
                case TokenKind::Template:
                    if (!SkipTemplate()) return false;
                    break;
                case TokenKind::Name: {
                    const std::string identifier(token.text);  // outlives the token's view
                    if (!ParseDataObject(identifier, kNoFrame, 1)) return false;
                    break;
                }
                case TokenKind::OpenBrace: {
                    Reference ignored;
                    if (!ReadReference(ignored)) return false;
                    break;
                }
                default: return tokens_.Fail("unexpected data outside any object");
            }
        }
    }

private:
    bool ResolvePendingMaterials() {
        for (const PendingMaterial &entry : pending_) {
            const MaterialData *found = FindMaterial(entry.reference);
            if (!found) {
                const Reference &r = entry.reference;
                return tokens_.Fail("material reference {" + (r.name.empty() ? r.guid : r.name) +
                                    "} names no material in the file");
            }
            if (entry.mesh < scene_.meshes.size()) scene_.meshes[entry.mesh].materials[entry.slot] = *found;
        }
        pending_.clear();
        return true;
    }

    bool SkipTemplate() {
        Token token;
        if (!tokens_.Next(token)) return false;
        if (token.kind != TokenKind::Name) return tokens_.Fail("expected a template name");
        if (!tokens_.Next(token)) return false;
        if (token.kind != TokenKind::OpenBrace) return tokens_.Fail("expected '{' after the template name");
        return tokens_.SkipBlock();
    }

    // After the identifier: the optional object name, '{' and an optional GUID.
    bool OpenObject(std::string_view identifier, std::string *name, std::string *guid) {
        Token token;
        if (!tokens_.Next(token)) return false;
        if (token.kind == TokenKind::Name || token.kind == TokenKind::Integer || token.kind == TokenKind::Float) {
            if (name) name->assign(token.text);
            if (!tokens_.Next(token)) return false;
        }
        if (token.kind != TokenKind::OpenBrace) {
            return tokens_.Fail("expected '{' to open " + std::string(identifier));
        }
        return tokens_.SkipGuid(guid);
    }

    bool SkipObject(std::string_view identifier) {
        return OpenObject(identifier, nullptr, nullptr) && tokens_.SkipBlock();
    }

    // After '{': a name and/or a GUID, then '}'.
    bool ReadReference(Reference &reference) {
        for (;;) {
            Token token;
            if (!tokens_.Next(token)) return false;
            switch (token.kind) {
                case TokenKind::Name: reference.name.assign(token.text); break;
                case TokenKind::Guid: reference.guid.assign(token.text); break;
                case TokenKind::CloseBrace: return true;
                default: return tokens_.Fail("bad reference: expected '{ Name }' or '{ <GUID> }'");
            }
        }
    }

    // Runs onChild(identifier) for each child object and onReference(ref)
    // for each reference, up to the closing brace of the current object.
    template <class OnChild, class OnReference>
    bool ForEachChild(const char *owner, OnChild onChild, OnReference onReference) {
        for (;;) {
            Token token;
            if (!tokens_.Next(token)) return false;
            switch (token.kind) {
                case TokenKind::CloseBrace: return true;
                case TokenKind::Name: {
                    const std::string identifier(token.text);
                    if (!onChild(identifier)) return false;
                    break;
                }
                case TokenKind::OpenBrace: {
                    Reference reference;
                    if (!ReadReference(reference) || !onReference(reference)) return false;
                    break;
                }
                case TokenKind::End: return tokens_.Fail(std::string("file ends inside ") + owner);
                default: return tokens_.Fail(std::string("unexpected data in ") + owner);
            }
        }
    }

    bool SkipAllChildren(const char *owner) {
        return ForEachChild(
            owner, [this](const std::string &identifier) { return SkipObject(identifier); },
            [](const Reference &) { return true; });
    }

    bool CheckDepth(int depth) {
        if (depth > kMaxNestingDepth) {
            return tokens_.Fail("objects nested deeper than " + std::to_string(kMaxNestingDepth) + " levels");
        }
        return true;
    }

    bool CheckCount(uint64_t count, uint64_t valuesPerItem, const char *what) {
        if (count * valuesPerItem > tokens_.ValueCapacity()) {
            return tokens_.Fail(std::string(what) + " count " + std::to_string(count) +
                                " is larger than the rest of the file can hold");
        }
        return true;
    }

    bool ReadFloats(float *out, size_t count) {
        for (size_t i = 0; i < count; ++i) {
            if (!tokens_.ReadFloat(out[i])) return false;
        }
        return true;
    }

    bool ParseDataObject(std::string_view identifier, int frame, int depth) {
        if (!CheckDepth(depth)) return false;
        if (EqualsIgnoreCase(identifier, "Frame")) return ParseFrame(frame, depth);
        if (EqualsIgnoreCase(identifier, "Mesh")) return ParseMesh(frame, depth);
        if (EqualsIgnoreCase(identifier, "Material")) {
            MaterialData ignored;
            return ParseMaterial(ignored, depth);
        }
        if (EqualsIgnoreCase(identifier, "FrameTransformMatrix") && frame != kNoFrame) {
            return ParseFrameTransform(scene_.frames[static_cast<size_t>(frame)].local);
        }
        return SkipObject(identifier);  // Header, animation, skinning and anything else
    }

    bool ParseFrame(int parent, int depth) {
        if (!OpenObject("Frame", nullptr, nullptr)) return false;
        const int self = static_cast<int>(scene_.frames.size());
        FileFrame frame;
        frame.parent = parent;
        scene_.frames.push_back(frame);
        return ForEachChild(
            "Frame",
            [this, self, depth](const std::string &identifier) { return ParseDataObject(identifier, self, depth + 1); },
            [](const Reference &) { return true; });
    }

    bool ParseFrameTransform(Matrix &matrix) {
        if (!OpenObject("FrameTransformMatrix", nullptr, nullptr)) return false;
        if (!ReadFloats(&matrix.m[0][0], 16)) return false;
        return SkipAllChildren("FrameTransformMatrix");
    }

    bool ParseMesh(int frame, int depth) {
        if (!OpenObject("Mesh", nullptr, nullptr)) return false;
        FileMesh mesh;
        mesh.frame = frame;
        uint32_t vertexCount = 0;
        if (!tokens_.ReadUint(vertexCount) || !CheckCount(vertexCount, 3, "vertex")) return false;
        mesh.vertexCount = vertexCount;
        mesh.positions.resize(static_cast<size_t>(vertexCount) * 3);
        if (!ReadFloats(mesh.positions.data(), mesh.positions.size())) return false;

        uint32_t faceCount = 0;
        if (!tokens_.ReadUint(faceCount) || !CheckCount(faceCount, 4, "face")) return false;
        mesh.faceStarts.reserve(static_cast<size_t>(faceCount) + 1);
        mesh.faceIndices.reserve(static_cast<size_t>(faceCount) * 3);
        for (uint32_t f = 0; f < faceCount; ++f) {
            uint32_t cornerCount = 0;
            if (!tokens_.ReadUint(cornerCount)) return false;
            if (cornerCount < 3) {
                return tokens_.Fail("face " + std::to_string(f) + " has " + std::to_string(cornerCount) +
                                    " indices; a face needs at least 3");
            }
            if (!CheckCount(cornerCount, 1, "face index")) return false;
            for (uint32_t c = 0; c < cornerCount; ++c) {
                uint32_t index = 0;
                if (!tokens_.ReadUint(index)) return false;
                if (index >= vertexCount) {
                    return tokens_.Fail("face " + std::to_string(f) + " uses vertex " + std::to_string(index) +
                                        " of " + std::to_string(vertexCount));
                }
                mesh.faceIndices.push_back(index);
            }
            mesh.faceStarts.push_back(static_cast<uint32_t>(mesh.faceIndices.size()));
        }

        const bool ok = ForEachChild(
            "Mesh",
            [this, &mesh, depth](const std::string &identifier) {
                if (!CheckDepth(depth + 1)) return false;
                if (EqualsIgnoreCase(identifier, "MeshNormals")) return ParseNormals(mesh);
                if (EqualsIgnoreCase(identifier, "MeshTextureCoords")) return ParseTexCoords(mesh);
                if (EqualsIgnoreCase(identifier, "MeshVertexColors")) return ParseColors(mesh);
                if (EqualsIgnoreCase(identifier, "MeshMaterialList")) return ParseMaterialList(mesh, depth + 1);
                return SkipObject(identifier);
            },
            [](const Reference &) { return true; });
        if (!ok) return false;
        scene_.meshes.push_back(std::move(mesh));
        return true;
    }

    bool ParseNormals(FileMesh &mesh) {
        if (!OpenObject("MeshNormals", nullptr, nullptr)) return false;
        uint32_t normalCount = 0;
        if (!tokens_.ReadUint(normalCount) || !CheckCount(normalCount, 3, "normal")) return false;
        mesh.normals.resize(static_cast<size_t>(normalCount) * 3);
        if (!ReadFloats(mesh.normals.data(), mesh.normals.size())) return false;
        uint32_t faceCount = 0;
        if (!tokens_.ReadUint(faceCount)) return false;
        if (faceCount != mesh.PolygonCount()) {
            return tokens_.Fail("MeshNormals lists " + std::to_string(faceCount) + " faces, the mesh has " +
                                std::to_string(mesh.PolygonCount()));
        }
        mesh.faceNormalIndices.resize(mesh.faceIndices.size());
        for (uint32_t f = 0; f < faceCount; ++f) {
            uint32_t cornerCount = 0;
            if (!tokens_.ReadUint(cornerCount)) return false;
            const uint32_t expected = mesh.faceStarts[f + 1] - mesh.faceStarts[f];
            if (cornerCount != expected) {
                return tokens_.Fail("MeshNormals face " + std::to_string(f) + " has " + std::to_string(cornerCount) +
                                    " indices, the mesh face " + std::to_string(expected));
            }
            for (uint32_t c = 0; c < cornerCount; ++c) {
                uint32_t index = 0;
                if (!tokens_.ReadUint(index)) return false;
                if (index >= normalCount) {
                    return tokens_.Fail("MeshNormals face " + std::to_string(f) + " uses normal " +
                                        std::to_string(index) + " of " + std::to_string(normalCount));
                }
                mesh.faceNormalIndices[mesh.faceStarts[f] + c] = index;
            }
        }
        mesh.hasNormals = true;
        return SkipAllChildren("MeshNormals");
    }

    bool ParseTexCoords(FileMesh &mesh) {
        if (!OpenObject("MeshTextureCoords", nullptr, nullptr)) return false;
        uint32_t count = 0;
        if (!tokens_.ReadUint(count)) return false;
        if (count != mesh.vertexCount) {
            return tokens_.Fail("MeshTextureCoords holds " + std::to_string(count) + " coordinates for " +
                                std::to_string(mesh.vertexCount) + " vertices");
        }
        mesh.texCoords.resize(static_cast<size_t>(count) * 2);
        if (!ReadFloats(mesh.texCoords.data(), mesh.texCoords.size())) return false;
        mesh.hasTexCoords = true;
        return SkipAllChildren("MeshTextureCoords");
    }

    bool ParseColors(FileMesh &mesh) {
        if (!OpenObject("MeshVertexColors", nullptr, nullptr)) return false;
        uint32_t count = 0;
        if (!tokens_.ReadUint(count) || !CheckCount(count, 5, "vertex colour")) return false;
        mesh.colors.assign(mesh.vertexCount, 0x00FFFFFFu);
        for (uint32_t i = 0; i < count; ++i) {
            uint32_t index = 0;
            float rgba[4];
            if (!tokens_.ReadUint(index) || !ReadFloats(rgba, 4)) return false;
            if (index >= mesh.vertexCount) {
                return tokens_.Fail("MeshVertexColors names vertex " + std::to_string(index) + " of " +
                                    std::to_string(mesh.vertexCount));
            }
            mesh.colors[index] = ToArgb(rgba[0], rgba[1], rgba[2], rgba[3]);
        }
        mesh.hasColors = true;
        return SkipAllChildren("MeshVertexColors");
    }

    bool ParseMaterialList(FileMesh &mesh, int depth) {
        if (!OpenObject("MeshMaterialList", nullptr, nullptr)) return false;
        uint32_t materialCount = 0;
        uint32_t indexCount = 0;
        if (!tokens_.ReadUint(materialCount) || !tokens_.ReadUint(indexCount)) return false;
        const uint32_t polygons = mesh.PolygonCount();
        // One index for many faces applies to all of them, as exporters that
        // write a single material rely on.
        if (indexCount != polygons && !(indexCount == 1 && polygons > 0)) {
            return tokens_.Fail("MeshMaterialList has " + std::to_string(indexCount) + " face indices for " +
                                std::to_string(polygons) + " faces");
        }
        if (!CheckCount(indexCount, 1, "material index")) return false;
        std::vector<uint32_t> ids(indexCount);
        for (uint32_t &id : ids) {
            if (!tokens_.ReadUint(id)) return false;
            if (id >= materialCount) {
                return tokens_.Fail("face material " + std::to_string(id) + " of " + std::to_string(materialCount));
            }
        }
        if (indexCount != polygons) ids.assign(polygons, ids.front());

        std::vector<MaterialData> materials;
        const bool ok = ForEachChild(
            "MeshMaterialList",
            [this, &materials, depth](const std::string &identifier) {
                if (!CheckDepth(depth + 1)) return false;
                if (!EqualsIgnoreCase(identifier, "Material")) return SkipObject(identifier);
                MaterialData material;
                if (!ParseMaterial(material, depth + 1)) return false;
                materials.push_back(std::move(material));
                return true;
            },
            [this, &materials](const Reference &reference) {
                // A material defined further on is resolved once the whole file is read.
                if (const MaterialData *found = FindMaterial(reference)) {
                    materials.push_back(*found);
                } else {
                    pending_.push_back({scene_.meshes.size(), materials.size(), reference});
                    materials.emplace_back();
                }
                return true;
            });
        if (!ok) return false;
        if (materials.size() < materialCount) {
            return tokens_.Fail("MeshMaterialList declares " + std::to_string(materialCount) + " materials but holds " +
                                std::to_string(materials.size()));
        }
        materials.resize(materialCount);
        while (!pending_.empty() && pending_.back().mesh == scene_.meshes.size() &&
               pending_.back().slot >= materialCount) {
            pending_.pop_back();  // beyond the declared count: dropped with the material
        }
        mesh.faceMaterials = std::move(ids);
        mesh.materials = std::move(materials);
        mesh.hasMaterialList = true;
        return true;
    }

    bool ParseMaterial(MaterialData &out, int depth) {
        std::string name;
        std::string guid;
        if (!OpenObject("Material", &name, &guid)) return false;
        float v[11];
        if (!ReadFloats(v, 11)) return false;
        Material &m = out.material;
        m.Diffuse = {v[0], v[1], v[2], v[3]};
        m.Power = v[4];
        m.Specular = {v[5], v[6], v[7], 1.0f};
        m.Emissive = {v[8], v[9], v[10], 1.0f};
        m.Ambient = {0.0f, 0.0f, 0.0f, 1.0f};
        bool textureSeen = false;
        const bool ok = ForEachChild(
            "Material",
            [this, &out, &textureSeen, depth](const std::string &identifier) {
                if (!CheckDepth(depth + 1)) return false;
                if (!EqualsIgnoreCase(identifier, "TextureFilename") || textureSeen) return SkipObject(identifier);
                textureSeen = true;
                if (!OpenObject("TextureFilename", nullptr, nullptr)) return false;
                if (!tokens_.ReadString(out.textureFileName)) return false;
                out.hasTexture = !out.textureFileName.empty();
                return SkipAllChildren("TextureFilename");
            },
            [](const Reference &) { return true; });
        if (!ok) return false;
        if (!name.empty()) materialsByName_[name] = out;
        if (!guid.empty()) materialsByGuid_[guid] = out;
        return true;
    }

    const MaterialData *FindMaterial(const Reference &reference) const {
        if (!reference.name.empty()) {
            auto exact = materialsByName_.find(reference.name);
            if (exact != materialsByName_.end()) return &exact->second;
            for (const auto &entry : materialsByName_) {
                if (EqualsIgnoreCase(entry.first, reference.name)) return &entry.second;
            }
        }
        if (!reference.guid.empty()) {
            auto byGuid = materialsByGuid_.find(reference.guid);
            if (byGuid != materialsByGuid_.end()) return &byGuid->second;
        }
        return nullptr;
    }

    // Material references the file resolves only after this point.
    struct PendingMaterial {
        size_t mesh;  // index in scene_.meshes once that mesh is complete
        size_t slot;
        Reference reference;
    };

    Tokens &tokens_;
    XScene &scene_;
    std::vector<PendingMaterial> pending_;
    std::unordered_map<std::string, MaterialData> materialsByName_;
    std::unordered_map<std::string, MaterialData> materialsByGuid_;
};

template <class Tokens>
bool Parse(Tokens &tokens, XScene &scene, std::string &error) {
    ObjectParser<Tokens> parser(tokens, scene);
    if (parser.ParseAll()) return true;
    error = tokens.Error();
    return false;
}

}  // namespace

bool ParseTextObjects(const char *begin, const char *end, XScene &scene, std::string &error) {
    TextTokenizer tokens(begin, end);
    return Parse(tokens, scene, error);
}

bool ParseTextObjects(ByteSource &source, uint64_t size, XScene &scene, std::string &error) {
    TextTokenizer tokens(source, size);
    return Parse(tokens, scene, error);
}

bool ParseBinaryObjects(const uint8_t *begin, const uint8_t *end, unsigned floatSize, XScene &scene,
                        std::string &error) {
    BinaryTokenizer tokens(begin, end, floatSize);
    return Parse(tokens, scene, error);
}

}  // namespace morvel::formats::xfile
