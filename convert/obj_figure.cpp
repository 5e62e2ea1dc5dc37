#include "convert/obj_figure.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "base/field_text.h"
#include "base/text_encoding.h"
#include "convert/camera_fit.h"
#include "convert/figure_textures.h"
#include "convert/file_names.h"
#include "formats/motion/document_tables.h"
#include "formats/obj/obj_reader.h"
#include "formats/xfile/x_file_writer.h"

namespace morvel::convert {
namespace {

namespace obj = formats::obj;
namespace xfile = formats::xfile;

constexpr size_t kMaxTextureFile = size_t{256} << 20;

class ObjFigureBuilder {
public:
    ObjFigureBuilder(const obj::Document &document, const std::string &folder, Figure &figure,
                     std::vector<std::string> &warnings)
        : doc_(document), folder_(folder), figure_(figure), warnings_(warnings) {}

    bool AddPart(const std::string &name, const std::vector<const obj::Shape *> &shapes, std::string &error) {
        xfile::FileMesh mesh;
        std::map<std::pair<int, int>, uint32_t> vertices;
        std::map<int, uint32_t> normals, materials;
        bool allNormals = true, anyTexCoords = false;
        for (const obj::Shape *shape : shapes) {
            for (const obj::Corner &corner : shape->corners) {
                allNormals = allNormals && corner.normal >= 0;
                anyTexCoords = anyTexCoords || corner.texCoord >= 0;
            }
        }
        mesh.hasNormals = allNormals;
        mesh.hasTexCoords = anyTexCoords;
        mesh.hasMaterialList = true;
        for (const obj::Shape *shape : shapes) {
            for (size_t t = 0; t < shape->materials.size(); ++t) {
                uint32_t corners[3], normalIds[3];
                for (size_t c = 0; c < 3; ++c) {
                    const obj::Corner &corner = shape->corners[t * 3 + c];
                    const auto key = std::make_pair(corner.position, corner.texCoord);
                    auto found = vertices.find(key);
                    if (found == vertices.end()) {
                        found = vertices.emplace(key, mesh.vertexCount++).first;
                        const float *p = &doc_.positions[size_t(corner.position) * 3];
                        mesh.positions.insert(mesh.positions.end(), {p[0], p[1], 0.0f - p[2]});
                        if (anyTexCoords) {
                            const bool given = corner.texCoord >= 0;
                            const float *uv = given ? &doc_.texCoords[size_t(corner.texCoord) * 2] : nullptr;
                            // OBJ counts rows from the bottom, Direct3D from the top.
                            mesh.texCoords.insert(mesh.texCoords.end(), {given ? uv[0] : 0.0f, given ? 1.0f - uv[1] : 0.0f});
                        }
                    }
                    corners[c] = found->second;
                    if (allNormals) {
                        auto normal = normals.find(corner.normal);
                        if (normal == normals.end()) {
                            normal = normals.emplace(corner.normal, uint32_t(normals.size())).first;
                            const float *n = &doc_.normals[size_t(corner.normal) * 3];
                            mesh.normals.insert(mesh.normals.end(), {n[0], n[1], 0.0f - n[2]});
                        }
                        normalIds[c] = normal->second;
                    }
                }
                // Mirroring Z turns the faces round; Direct3D's default culling wants them clockwise.
                mesh.faceIndices.insert(mesh.faceIndices.end(), {corners[0], corners[2], corners[1]});
                if (allNormals) {
                    mesh.faceNormalIndices.insert(mesh.faceNormalIndices.end(), {normalIds[0], normalIds[2], normalIds[1]});
                }
                mesh.faceStarts.push_back(static_cast<uint32_t>(mesh.faceIndices.size()));
                const int material = shape->materials[t];
                const auto slot = materials.emplace(material, uint32_t(materials.size())).first->second;
                if (slot == mesh.materials.size()) mesh.materials.push_back(MaterialOf(material));
                mesh.faceMaterials.push_back(slot);
            }
        }
        xfile::XScene scene;
        scene.meshes.push_back(std::move(mesh));
        std::string text;
        if (!xfile::WriteXText(scene, text, error)) {
            error = Cp932(name) + ": " + error;
            return false;
        }
        std::string stem;
        if (base::Utf8ToCp932Replacing(name, stem) > 0) {
            warnings_.push_back(stem + ": characters code page 932 lacks became '_'");
        }
        const std::string file = book_.Claim(SafeFileStem(stem, "part" + std::to_string(figure_.parts.size())), ".x",
                                             kMaxPartFileName);
        figure_.files.push_back({file, std::move(text)});
        PartEntry part{};
        base::StoreFieldText(part.fileName, sizeof part.fileName, ".\\" + file);
        figure_.parts.push_back(part);
        return true;
    }

private:
    xfile::MaterialData MaterialOf(int index) {
        xfile::MaterialData data;
        Material &m = data.material;
        m.Ambient = {0, 0, 0, 1};
        m.Diffuse = {1, 1, 1, 1};
        m.Specular = {0, 0, 0, 1};
        m.Emissive = {0, 0, 0, 1};
        if (index < 0) return data;
        const obj::Material &source = doc_.materials[size_t(index)];
        m.Diffuse = {source.diffuse[0], source.diffuse[1], source.diffuse[2], source.dissolve};
        m.Specular = {source.specular[0], source.specular[1], source.specular[2], 1};
        m.Emissive = {source.emissive[0], source.emissive[1], source.emissive[2], 1};
        m.Power = source.shininess;
        if (!source.diffuseTexture.empty()) {
            data.textureFileName = Texture(source.diffuseTexture);
            data.hasTexture = !data.textureFileName.empty();
        }
        return data;
    }

    // The PNG written for a texture name, empty when it cannot be.
    std::string Texture(const std::string &name) {
        const auto known = textures_.find(name);
        if (known != textures_.end()) return known->second;
        std::string &written = textures_[name];
        const std::string shown = Cp932(name);
        if (!obj::IsContainedName(name)) {
            warnings_.push_back("texture " + shown + " lies outside the OBJ file's folder: left out");
            return written;
        }
        std::string bytes;
        std::vector<uint8_t> png;
        std::string why = "cannot be read";
        if (!obj::ReadTextFile(folder_ + name, kMaxTextureFile, bytes) ||
            !TextureAsPng(std::vector<uint8_t>(bytes.begin(), bytes.end()), png, why)) {
            warnings_.push_back("texture " + shown + ": " + why + "; left out");
            return written;
        }
        std::string stem = shown.substr(shown.find_last_of("/\\") + 1);
        const size_t dot = stem.rfind('.');
        if (dot != std::string::npos && dot > 0) stem.resize(dot);
        written = book_.Claim(SafeFileStem(stem, "texture"), ".png", kMaxPartFileName);
        figure_.files.push_back({written, std::string(png.begin(), png.end())});
        return written;
    }

    const obj::Document &doc_;
    std::string folder_;
    Figure &figure_;
    std::vector<std::string> &warnings_;
    FileNameBook book_;
    std::map<std::string, std::string> textures_;
};

}  // namespace

bool BuildObjFigure(const obj::Document &document, const std::string &textureFolder,
                    const ObjImportOptions &options, Figure &figure, std::vector<std::string> &warnings,
                    std::string &error) {
    MotionDocument defaults{};
    formats::motion::InitDocument(defaults);
    figure = Figure{};
    figure.header = defaults.header;
    for (const std::string &warning : document.warnings) warnings.push_back(Cp932(warning));
    if (document.shapes.empty()) {
        error = "the file has no faces";
        return false;
    }
    if (!options.singlePart && document.shapes.size() > 65535) {
        error = "the file has more than 65,535 objects and groups; a motion file holds at most 65,535 parts";
        return false;
    }
    ObjFigureBuilder builder(document, textureFolder, figure, warnings);
    if (options.singlePart) {
        std::vector<const obj::Shape *> all;
        for (const obj::Shape &shape : document.shapes) all.push_back(&shape);
        if (!builder.AddPart(document.shapes.front().name.empty() ? "figure" : document.shapes.front().name, all, error)) {
            return false;
        }
    } else {
        for (const obj::Shape &shape : document.shapes) {
            if (!builder.AddPart(shape.name, {&shape}, error)) return false;
        }
    }
    FigureMotion motion;
    base::StoreFieldText(motion.entry.name, sizeof motion.entry.name, "rest");
    std::vector<PositionEntry> frame;
    for (size_t p = 0; p < figure.parts.size(); ++p) {
        PositionEntry position{};
        position.partNumber = static_cast<int16_t>(p);
        position.scale = {1, 1, 1};
        frame.push_back(position);
    }
    double reach = 0;
    for (size_t v = 0; v + 2 < document.positions.size(); v += 3) {
        const double x = document.positions[v], y = document.positions[v + 1], z = document.positions[v + 2];
        reach = std::max(reach, std::sqrt(x * x + y * y + z * z));
    }
    FitCameraToPose(figure.header, frame, std::vector<double>(figure.parts.size(), reach));
    motion.positions.push_back(std::move(frame));
    motion.frames.resize(1);
    figure.motions.push_back(std::move(motion));
    return true;
}

}  // namespace morvel::convert
