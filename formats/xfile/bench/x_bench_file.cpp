#include "x_bench_file.h"

#include <cmath>
#include <cstdio>

namespace morvel::formats::xfile::bench {
namespace {

void Append(std::string &out, const char *format, double a, double b, double c) {
    char line[96];
    std::snprintf(line, sizeof line, format, a, b, c);
    out += line;
}

void AppendGrid(std::string &out, int side, int index) {
    const int vertices = side * side;
    const int quads = (side - 1) * (side - 1);
    char line[128];
    std::snprintf(line, sizeof line, "  Mesh grid%d {\n   %d;\n", index, vertices);
    out += line;
    for (int v = 0; v < vertices; ++v) {
        const double x = (v % side) / double(side), z = (v / side) / double(side);
        Append(out, "   %f;%f;%f;", x, 0.1 * std::sin(6.0 * x + 3.0 * z), z);
        out += v + 1 < vertices ? ",\n" : ";\n";
    }
    std::snprintf(line, sizeof line, "   %d;\n", quads);
    out += line;
    auto faces = [&out, side, quads]() {
        for (int q = 0; q < quads; ++q) {
            const int x = q % (side - 1), z = q / (side - 1), v = z * side + x;
            char face[80];
            std::snprintf(face, sizeof face, "   4;%d,%d,%d,%d;%s\n", v, v + side, v + side + 1, v + 1,
                          q + 1 < quads ? "," : ";");
            out += face;
        }
    };
    faces();
    std::snprintf(line, sizeof line, "   MeshNormals {\n    %d;\n", vertices);
    out += line;
    for (int v = 0; v < vertices; ++v) {
        const double x = (v % side) / double(side), z = (v / side) / double(side);
        const double nx = -0.6 * std::cos(6.0 * x + 3.0 * z), nz = -0.3 * std::cos(6.0 * x + 3.0 * z);
        const double length = std::sqrt(nx * nx + 1.0 + nz * nz);
        Append(out, "    %f;%f;%f;", nx / length, 1.0 / length, nz / length);
        out += v + 1 < vertices ? ",\n" : ";\n";
    }
    std::snprintf(line, sizeof line, "    %d;\n", quads);
    out += line;
    faces();
    out += "   }\n   MeshTextureCoords {\n";
    std::snprintf(line, sizeof line, "    %d;\n", vertices);
    out += line;
    for (int v = 0; v < vertices; ++v) {
        std::snprintf(line, sizeof line, "    %f;%f;%s\n", (v % side) / double(side - 1), (v / side) / double(side - 1),
                      v + 1 < vertices ? "," : ";");
        out += line;
    }
    out += "   }\n   MeshMaterialList {\n    2;\n";
    std::snprintf(line, sizeof line, "    %d;\n", quads);
    out += line;
    for (int q = 0; q < quads; ++q) out += q + 1 < quads ? ((q / 7) % 2 ? "    1,\n" : "    0,\n") : "    0;\n";
    out += "    { Stone }\n    { Moss }\n   }\n  }\n";
}

}  // namespace

std::string MakeGridXFile(int meshes, int side) {
    std::string out = "xof 0303txt 0032\n";
    out += "Material Stone {\n 0.6;0.6;0.6;1.0;;\n 8.0;\n 0.2;0.2;0.2;;\n 0.0;0.0;0.0;;\n"
           " TextureFilename { \"stone.png\"; }\n}\n";
    out += "Material Moss {\n 0.2;0.6;0.2;1.0;;\n 4.0;\n 0.1;0.1;0.1;;\n 0.0;0.0;0.0;;\n}\n";
    out += "Frame Root {\n FrameTransformMatrix {\n  1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0;;\n }\n";
    for (int m = 0; m < meshes; ++m) {
        char frame[160];
        std::snprintf(frame, sizeof frame,
                      " Frame part%d {\n  FrameTransformMatrix {\n   1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0,0.0,"
                      "%d.0,0.0,0.0,1.0;;\n  }\n",
                      m, m);
        out += frame;
        AppendGrid(out, side, m);
        out += " }\n";
    }
    out += "}\n";
    return out;
}

}  // namespace morvel::formats::xfile::bench
