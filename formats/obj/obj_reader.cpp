#include "formats/obj/obj_reader.h"

#include <tiny_obj_loader.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <memory>
#include <new>
#include <sstream>

#include "base/windows_path.h"

namespace morvel::formats::obj {
namespace {

constexpr size_t kMaxFileSize = size_t{1} << 30;

std::string FirstLine(const std::string &text) {
    std::string line = text.substr(0, text.find('\n'));
    for (char &c : line) {
        if (static_cast<unsigned char>(c) < 0x20) c = '?';
    }
    return line;
}

bool InRange(int index, size_t count) { return index >= 0 && static_cast<size_t>(index) < count; }

bool ConvertShapes(const tinyobj::ObjReader &reader, Document &out, std::string &error) {
    const tinyobj::attrib_t &attrib = reader.GetAttrib();
    out.positions.assign(attrib.vertices.begin(), attrib.vertices.end());
    out.normals.assign(attrib.normals.begin(), attrib.normals.end());
    out.texCoords.assign(attrib.texcoords.begin(), attrib.texcoords.end());
    const size_t positions = out.positions.size() / 3, normals = out.normals.size() / 3,
                 texCoords = out.texCoords.size() / 2;
    for (const tinyobj::shape_t &source : reader.GetShapes()) {
        Shape shape;
        shape.name = source.name;
        const tinyobj::mesh_t &mesh = source.mesh;
        size_t at = 0;
        for (size_t f = 0; f < mesh.num_face_vertices.size(); ++f) {
            const size_t corners = mesh.num_face_vertices[f];
            if (corners > mesh.indices.size() - at) {
                error = "shape " + FirstLine(source.name) + ": its faces list more corners than it has";
                return false;
            }
            if (corners == 3) {
                for (size_t c = 0; c < 3; ++c) {
                    const tinyobj::index_t &i = mesh.indices[at + c];
                    if (!InRange(i.vertex_index, positions) || (i.normal_index >= 0 && !InRange(i.normal_index, normals)) ||
                        (i.texcoord_index >= 0 && !InRange(i.texcoord_index, texCoords))) {
                        error = "shape " + FirstLine(source.name) + ": a face names a vertex, normal or coordinate the file does not have";
                        return false;
                    }
                    shape.corners.push_back({i.vertex_index, i.normal_index, i.texcoord_index});
                }
                const int material = f < mesh.material_ids.size() ? mesh.material_ids[f] : -1;
                shape.materials.push_back(InRange(material, reader.GetMaterials().size()) ? material : -1);
            }
            at += corners;
        }
        if (!shape.corners.empty()) out.shapes.push_back(std::move(shape));
    }
    return true;
}

// tinyobjloader turns a vw line's joint number into an int without a range
// check (undefined for a huge one). Skin weights are never read here, so
// those lines are blanked before it sees them; the line count stays.
std::string WithoutVertexWeights(const std::string &objText) {
    std::string text = objText;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const size_t first = text.find_first_not_of(" \t", start);
        if (first != std::string::npos && first + 2 < end && text.compare(first, 2, "vw") == 0 &&
            (text[first + 2] == ' ' || text[first + 2] == '\t')) {
            std::fill(text.begin() + static_cast<std::ptrdiff_t>(first), text.begin() + static_cast<std::ptrdiff_t>(end),
                      ' ');
        }
        start = end + 1;
    }
    return text;
}

}  // namespace

bool IsContainedName(const std::string &name) {
    if (name.empty() || name[0] == '/' || name[0] == '\\' || name.find(':') != std::string::npos) return false;
    size_t start = 0;
    for (;;) {
        const size_t end = name.find_first_of("/\\", start);
        if (name.substr(start, end - start) == "..") return false;
        if (end == std::string::npos) return true;
        start = end + 1;
    }
}

bool ReadTextFile(const std::string &hostPath, size_t maxBytes, std::string &out) {
    std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(std::fopen(hostPath.c_str(), "rb"), std::fclose);
    if (!file) return false;
    out.clear();
    char chunk[64 * 1024];
    for (;;) {
        const size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
        if (out.size() + got > maxBytes) return false;
        out.append(chunk, got);
        if (got < sizeof chunk) break;
    }
    return !std::ferror(file.get());
}

bool ReadObj(const std::string &objText, const std::string &mtlText, Document &out, std::string &error) {
    tinyobj::ObjReaderConfig config;
    config.triangulate = true;
    config.vertex_color = false;
    tinyobj::ObjReader reader;
    Document document;
    try {
        // tinyobjloader reads the library text at an mtllib line only: one
        // first of all, so that every usemtl finds its material.
        const std::string weightless = WithoutVertexWeights(objText);
        const std::string text = mtlText.empty() ? weightless : "mtllib libraries\n" + weightless;
        if (!reader.ParseFromString(text, mtlText, config)) {
            error = reader.Error().empty() ? "not an OBJ file" : FirstLine(reader.Error());
            return false;
        }
        if (!ConvertShapes(reader, document, error)) return false;
        for (const tinyobj::material_t &source : reader.GetMaterials()) {
            Material m;
            m.name = source.name;
            m.diffuse = {source.diffuse[0], source.diffuse[1], source.diffuse[2]};
            m.dissolve = source.dissolve;
            m.specular = {source.specular[0], source.specular[1], source.specular[2]};
            m.emissive = {source.emission[0], source.emission[1], source.emission[2]};
            m.shininess = source.shininess;
            m.diffuseTexture = source.diffuse_texname;
            document.materials.push_back(m);
        }
    } catch (const std::bad_alloc &) {
        error = "out of memory";
        return false;
    }
    std::istringstream warnings(reader.Warning());
    for (std::string line; std::getline(warnings, line);) {
        if (!line.empty()) document.warnings.push_back(FirstLine(line));
    }
    out = std::move(document);
    return true;
}

bool ReadObjFile(const std::string &hostPath, Document &out, std::string &error) {
    std::string text;
    if (!ReadTextFile(hostPath, kMaxFileSize, text)) {
        error = hostPath + " cannot be read";
        return false;
    }
    const std::string folder = hostPath.substr(0, base::FileNameStart(hostPath));
    std::string mtlText;
    std::vector<std::string> warnings;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        const size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, 7, "mtllib ") != 0) continue;
        std::istringstream names(line.substr(start + 7));
        for (std::string name; names >> name;) {
            std::string library;
            if (!IsContainedName(name)) {
                error = "refused to read the material library \"" + FirstLine(name) + "\": it must lie in the OBJ file's folder";
                return false;
            }
            if (!ReadTextFile(folder + name, kMaxFileSize, library)) {
                warnings.push_back("material library " + FirstLine(name) + " cannot be read: left out");
                continue;
            }
            mtlText += library + "\n";
        }
    }
    if (!ReadObj(text, mtlText, out, error)) return false;
    out.warnings.insert(out.warnings.begin(), warnings.begin(), warnings.end());
    return true;
}

}  // namespace morvel::formats::obj
