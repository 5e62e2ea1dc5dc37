#include "formats/xfile/x_file_writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace morvel::formats::xfile {
namespace {

// The templates of the DirectX file format the writer uses, with their
// standard GUIDs: the format's own definitions, declared so that the file
// does not depend on a reader knowing them.
constexpr const char *kTemplates = R"(template Vector {
 <3D82AB5E-62DA-11cf-AB39-0020AF71E433>
 FLOAT x;
 FLOAT y;
 FLOAT z;
}

template Coords2d {
 <F6F23F44-7686-11cf-8F52-0040333594A3>
 FLOAT u;
 FLOAT v;
}

template Matrix4x4 {
 <F6F23F45-7686-11cf-8F52-0040333594A3>
 array FLOAT matrix[16];
}

template ColorRGBA {
 <35FF44E0-6C7C-11cf-8F52-0040333594A3>
 FLOAT red;
 FLOAT green;
 FLOAT blue;
 FLOAT alpha;
}

template ColorRGB {
 <D3E16E81-7835-11cf-8F52-0040333594A3>
 FLOAT red;
 FLOAT green;
 FLOAT blue;
}

template IndexedColor {
 <1630B820-7842-11cf-8F52-0040333594A3>
 DWORD index;
 ColorRGBA indexColor;
}

template TextureFilename {
 <A42790E1-7810-11cf-8F52-0040333594A3>
 STRING filename;
}

template Material {
 <3D82AB4D-62DA-11cf-AB39-0020AF71E433>
 ColorRGBA faceColor;
 FLOAT power;
 ColorRGB specularColor;
 ColorRGB emissiveColor;
 [...]
}

template MeshFace {
 <3D82AB5F-62DA-11cf-AB39-0020AF71E433>
 DWORD nFaceVertexIndices;
 array DWORD faceVertexIndices[nFaceVertexIndices];
}

template MeshTextureCoords {
 <F6F23F40-7686-11cf-8F52-0040333594A3>
 DWORD nTextureCoords;
 array Coords2d textureCoords[nTextureCoords];
}

template MeshNormals {
 <F6F23F43-7686-11cf-8F52-0040333594A3>
 DWORD nNormals;
 array Vector normals[nNormals];
 DWORD nFaceNormals;
 array MeshFace faceNormals[nFaceNormals];
}

template MeshVertexColors {
 <1630B821-7842-11cf-8F52-0040333594A3>
 DWORD nVertexColors;
 array IndexedColor vertexColors[nVertexColors];
}

template MeshMaterialList {
 <F6F23F42-7686-11cf-8F52-0040333594A3>
 DWORD nMaterials;
 DWORD nFaceIndexes;
 array DWORD faceIndexes[nFaceIndexes];
 [Material <3D82AB4D-62DA-11cf-AB39-0020AF71E433>]
}

template Mesh {
 <3D82AB44-62DA-11cf-AB39-0020AF71E433>
 DWORD nVertices;
 array Vector vertices[nVertices];
 DWORD nFaces;
 array MeshFace faces[nFaces];
 [...]
}

template FrameTransformMatrix {
 <F6F23F41-7686-11cf-8F52-0040333594A3>
 Matrix4x4 frameMatrix;
}

template Frame {
 <3D82AB46-62DA-11cf-AB39-0020AF71E433>
 [...]
}

)";

// A float in fixed notation (some readers know no exponents), the shortest
// that reads back as the same float, at p (room for 64 bytes); false when
// it is not finite (then "0" is written).
bool FormatNumber(float value, char *&p) {
    const bool finite = std::isfinite(value);
    if (!finite) value = 0;
    if (value == 0.0f) {
        const char *zero = std::signbit(value) ? "-0.000000" : "0.000000";
        const size_t length = std::signbit(value) ? 9 : 8;
        std::memcpy(p, zero, length);
        p += length;
        return finite;
    }
    char *start = p;
    p = std::to_chars(p, p + 56, value, std::chars_format::fixed).ptr;
    if (std::find(start, p, '.') == p) {
        std::memcpy(p, ".000000", 7);
        p += 7;
    }
    return finite;
}

// Appends straight to the file's text: meshes of many thousand vertices are
// written number by number.
class TextOut {
public:
    explicit TextOut(std::string &out) : out_(out) {}

    bool ok() const { return error_.empty(); }
    const std::string &error() const { return error_; }
    void Fail(const std::string &why) {
        if (error_.empty()) error_ = why;
    }

    TextOut &Indent() {
        out_.append(static_cast<size_t>(depth_), ' ');
        return *this;
    }
    TextOut &Put(std::string_view text) {
        out_.append(text);
        return *this;
    }
    TextOut &Put(char c) {
        out_ += c;
        return *this;
    }
    TextOut &Put(uint64_t value) {
        char text[24];
        const auto result = std::to_chars(text, text + sizeof text, value);
        out_.append(text, result.ptr);
        return *this;
    }
    TextOut &Put(float value) {
        char text[64];
        char *end = text;
        if (!FormatNumber(value, end)) Fail("a number is not finite");
        out_.append(text, end);
        return *this;
    }
    // count values (at most 4), each closed by ';'.
    TextOut &Put(const float *values, size_t count) {
        char text[4 * 65];
        char *end = text;
        for (size_t i = 0; i < count && i < 4; ++i) {
            if (!FormatNumber(values[i], end)) Fail("a number is not finite");
            *end++ = ';';
        }
        out_.append(text, end);
        return *this;
    }
    int Depth() const { return depth_; }
    void EndLine() { out_ += '\n'; }

    void Line(std::string_view text) {
        Indent().Put(text);
        EndLine();
    }
    void Open(const std::string &header) {
        Line(header + " {");
        ++depth_;
    }
    void Close() {
        --depth_;
        Line("}");
    }

private:
    std::string &out_;
    std::string error_;
    int depth_ = 0;
};

const char *Separator(size_t index, size_t count, const char *last) {
    return index + 1 < count ? "," : last;
}

void WriteMaterial(TextOut &text, const MaterialData &data) {
    const Material &m = data.material;
    text.Open("Material");
    const float face[] = {m.Diffuse.r, m.Diffuse.g, m.Diffuse.b, m.Diffuse.a};
    const float specular[] = {m.Specular.r, m.Specular.g, m.Specular.b};
    const float emissive[] = {m.Emissive.r, m.Emissive.g, m.Emissive.b};
    text.Indent().Put(face, 4).Put(';').EndLine();
    text.Indent().Put(m.Power).Put(';').EndLine();
    text.Indent().Put(specular, 3).Put(';').EndLine();
    text.Indent().Put(emissive, 3).Put(';').EndLine();
    if (data.hasTexture) {
        // Strings are taken as they stand: a quote would end one early.
        if (data.textureFileName.find_first_of("\"\r\n") != std::string::npos) {
            text.Fail("texture name with a quote or a line break: " + data.textureFileName);
        }
        text.Open("TextureFilename");
        text.Indent().Put('"').Put(data.textureFileName).Put("\";").EndLine();
        text.Close();
    }
    text.Close();
}

// Faces as "N;i,j,k;" with ',' between faces and ';' after the last.
void WriteFaces(TextOut &text, const FileMesh &mesh, const std::vector<uint32_t> &indices) {
    const uint32_t polygons = mesh.PolygonCount();
    text.Indent().Put(uint64_t{polygons}).Put(';').EndLine();
    for (uint32_t p = 0; p < polygons; ++p) {
        const uint32_t first = mesh.faceStarts[p], end = mesh.faceStarts[p + 1];
        if (end - first > 3) {  // polygons of many corners, number by number
            text.Indent().Put(uint64_t{end - first}).Put(';');
            for (uint32_t i = first; i < end; ++i) text.Put(uint64_t{indices[i]}).Put(i + 1 < end ? ',' : ';');
            text.Put(Separator(p, polygons, ";")).EndLine();
            continue;
        }
        char line[128 + 16];
        char *at = line;
        for (int d = 0; d < text.Depth() && d < 128; ++d) *at++ = ' ';
        *at++ = '3';
        *at++ = ';';
        for (uint32_t i = first; i < end; ++i) {
            at = std::to_chars(at, at + 11, indices[i]).ptr;
            *at++ = i + 1 < end ? ',' : ';';
        }
        *at++ = p + 1 < polygons ? ',' : ';';
        *at++ = '\n';
        text.Put(std::string_view(line, static_cast<size_t>(at - line)));
    }
}

// count rows of width (at most 4) floats, ',' between rows and ';' after the last.
void WriteRows(TextOut &text, const float *values, size_t count, size_t width) {
    char line[128 + 4 * 65 + 2];
    for (size_t r = 0; r < count; ++r) {
        char *at = line;
        for (int d = 0; d < text.Depth() && d < 128; ++d) *at++ = ' ';
        for (size_t c = 0; c < width && c < 4; ++c) {
            if (!FormatNumber(values[r * width + c], at)) text.Fail("a number is not finite");
            *at++ = ';';
        }
        *at++ = r + 1 < count ? ',' : ';';
        *at++ = '\n';
        text.Put(std::string_view(line, static_cast<size_t>(at - line)));
    }
}

bool Consistent(const FileMesh &mesh, std::string &why) {
    const size_t vertices = mesh.vertexCount;
    if (mesh.positions.size() != vertices * 3 || mesh.faceStarts.empty() ||
        mesh.faceStarts.front() != 0 || mesh.faceStarts.back() != mesh.faceIndices.size()) {
        why = "positions or faces do not match their counts";
        return false;
    }
    for (size_t p = 0; p + 1 < mesh.faceStarts.size(); ++p) {
        if (mesh.faceStarts[p + 1] < mesh.faceStarts[p] + 3) {
            why = "a face has fewer than 3 corners";
            return false;
        }
    }
    for (const uint32_t i : mesh.faceIndices) {
        if (i >= vertices) {
            why = "a face uses a vertex the mesh does not have";
            return false;
        }
    }
    if (mesh.hasNormals) {
        if (mesh.normals.size() % 3 != 0 || mesh.faceNormalIndices.size() != mesh.faceIndices.size()) {
            why = "normals do not match the faces";
            return false;
        }
        for (const uint32_t i : mesh.faceNormalIndices) {
            if (i >= mesh.normals.size() / 3) {
                why = "a face uses a normal the mesh does not have";
                return false;
            }
        }
    }
    if ((mesh.hasTexCoords && mesh.texCoords.size() != vertices * 2) ||
        (mesh.hasColors && mesh.colors.size() != vertices)) {
        why = "texture coordinates or colours do not match the vertices";
        return false;
    }
    if (mesh.hasMaterialList) {
        if (mesh.faceMaterials.size() != mesh.PolygonCount()) {
            why = "the material list does not match the faces";
            return false;
        }
        for (const uint32_t id : mesh.faceMaterials) {
            if (id >= mesh.materials.size()) {
                why = "a face uses a material the mesh does not have";
                return false;
            }
        }
    }
    return true;
}

void WriteMesh(TextOut &text, const FileMesh &mesh, size_t index) {
    std::string why;
    if (!Consistent(mesh, why)) {
        text.Fail("mesh " + std::to_string(index) + ": " + why);
        return;
    }
    text.Open("Mesh mesh" + std::to_string(index));
    text.Indent().Put(uint64_t{mesh.vertexCount}).Put(';').EndLine();
    WriteRows(text, mesh.positions.data(), mesh.vertexCount, 3);
    WriteFaces(text, mesh, mesh.faceIndices);

    if (mesh.hasNormals) {
        text.Open("MeshNormals");
        const size_t normals = mesh.normals.size() / 3;
        text.Indent().Put(uint64_t{normals}).Put(';').EndLine();
        WriteRows(text, mesh.normals.data(), normals, 3);
        WriteFaces(text, mesh, mesh.faceNormalIndices);
        text.Close();
    }
    if (mesh.hasTexCoords) {
        text.Open("MeshTextureCoords");
        text.Indent().Put(uint64_t{mesh.vertexCount}).Put(';').EndLine();
        WriteRows(text, mesh.texCoords.data(), mesh.vertexCount, 2);
        text.Close();
    }
    if (mesh.hasColors) {
        text.Open("MeshVertexColors");
        text.Indent().Put(uint64_t{mesh.vertexCount}).Put(';').EndLine();
        for (uint32_t v = 0; v < mesh.vertexCount; ++v) {
            // byte / 255 reads back as the same byte (the loader rounds).
            const uint32_t argb = mesh.colors[v];
            const float rgba[] = {((argb >> 16) & 0xFF) / 255.0f, ((argb >> 8) & 0xFF) / 255.0f,
                                  (argb & 0xFF) / 255.0f, (argb >> 24) / 255.0f};
            text.Indent().Put(uint64_t{v}).Put(';').Put(rgba, 4).Put(';').Put(Separator(v, mesh.vertexCount, ";")).EndLine();
        }
        text.Close();
    }
    if (mesh.hasMaterialList) {
        text.Open("MeshMaterialList");
        text.Indent().Put(uint64_t{mesh.materials.size()}).Put(';').EndLine();
        text.Indent().Put(uint64_t{mesh.faceMaterials.size()}).Put(';').EndLine();
        for (size_t f = 0; f < mesh.faceMaterials.size(); ++f) {
            text.Indent().Put(uint64_t{mesh.faceMaterials[f]}).Put(Separator(f, mesh.faceMaterials.size(), ";")).EndLine();
        }
        for (const MaterialData &material : mesh.materials) WriteMaterial(text, material);
        text.Close();
    }
    text.Close();
}

void WriteTransform(TextOut &text, const Matrix &matrix) {
    text.Open("FrameTransformMatrix");
    text.Indent();
    for (int i = 0; i < 16; ++i) text.Put(matrix.m[i / 4][i % 4]).Put(i < 15 ? "," : ";;");
    text.EndLine();
    text.Close();
}

}  // namespace

bool WriteXText(const XScene &scene, std::string &out, std::string &error) {
    for (size_t f = 0; f < scene.frames.size(); ++f) {
        const int parent = scene.frames[f].parent;
        if (parent != kNoFrame && (parent < 0 || static_cast<size_t>(parent) >= f)) {
            error = "frame " + std::to_string(f) + " is listed before its parent";
            return false;
        }
    }
    for (size_t m = 0; m < scene.meshes.size(); ++m) {
        const int frame = scene.meshes[m].frame;
        if (frame != kNoFrame && (frame < 0 || static_cast<size_t>(frame) >= scene.frames.size())) {
            error = "mesh " + std::to_string(m) + " names a frame the scene does not have";
            return false;
        }
    }
    std::string text = "xof 0303txt 0032\n";
    size_t estimate = std::char_traits<char>::length(kTemplates) + 1024;
    for (const FileMesh &mesh : scene.meshes) {
        // About twelve bytes a number: positions, normals, coordinates, faces.
        estimate += 12 * (mesh.positions.size() + mesh.normals.size() + mesh.texCoords.size() +
                          2 * mesh.faceIndices.size() + 5 * mesh.colors.size());
    }
    text.reserve(estimate);
    text += kTemplates;
    TextOut writer(text);

    // Frames open in their order (a parent before its children) and each mesh
    // is written inside its frame in its own order, so that reading the file
    // lists both as the scene does. A mesh of the innermost open frame goes
    // first, then the next frame if it belongs there; otherwise that frame is
    // done.
    std::vector<int> open;
    size_t nextMesh = 0, nextFrame = 0;
    while (writer.ok() && (nextMesh < scene.meshes.size() || nextFrame < scene.frames.size())) {
        const int top = open.empty() ? kNoFrame : open.back();
        if (nextMesh < scene.meshes.size() && scene.meshes[nextMesh].frame == top) {
            WriteMesh(writer, scene.meshes[nextMesh], nextMesh);
            ++nextMesh;
        } else if (nextFrame < scene.frames.size() && scene.frames[nextFrame].parent == top) {
            writer.Open("Frame frame" + std::to_string(nextFrame));
            WriteTransform(writer, scene.frames[nextFrame].local);
            open.push_back(static_cast<int>(nextFrame++));
        } else if (!open.empty()) {
            writer.Close();
            open.pop_back();
        } else {
            writer.Fail("mesh " + std::to_string(nextMesh) +
                        " cannot be placed in its frame in the scene's order");
        }
    }
    while (!open.empty()) {
        writer.Close();
        open.pop_back();
    }
    if (!writer.ok()) {
        error = writer.error();
        return false;
    }
    out = std::move(text);
    return true;
}

}  // namespace morvel::formats::xfile
