// What the importer takes from a Wavefront OBJ file and its material
// libraries: positions, normals and coordinates as the file lists them,
// triangles per object or group, materials with their diffuse textures.
// Coordinates stay the file's (right-handed, texture origin at the bottom).
#pragma once

#include <array>
#include <string>
#include <vector>

namespace morvel::formats::obj {

struct Corner {
    int position = -1;
    int normal = -1;    // -1: none
    int texCoord = -1;  // -1: none
};

struct Shape {
    std::string name;
    std::vector<Corner> corners;  // 3 per triangle, every index checked
    std::vector<int> materials;   // per triangle, -1 for none
};

struct Material {
    std::string name;
    std::array<float, 3> diffuse{1, 1, 1};
    float dissolve = 1;  // opacity
    std::array<float, 3> specular{0, 0, 0};
    std::array<float, 3> emissive{0, 0, 0};
    float shininess = 0;
    std::string diffuseTexture;  // as the library names it, empty for none
};

struct Document {
    std::vector<float> positions;  // 3 per vertex
    std::vector<float> normals;    // 3 per normal
    std::vector<float> texCoords;  // 2 per coordinate
    std::vector<Shape> shapes;
    std::vector<Material> materials;
    std::vector<std::string> warnings;
};

}  // namespace morvel::formats::obj
