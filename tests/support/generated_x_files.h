// X files the tests write themselves, in every form the loader reads: text,
// binary with 4-byte floats, and both compressed. They hold what real
// exporters put in their files (the shared fixtures' features): declared
// templates with arrays, a header object, comments, materials defined at the
// top and referenced by name and by GUID, several materials with textures
// (an absolute path with doubled backslashes among them), vertex colours,
// DeclData, skin data and vertex duplication indices to skip, a frame
// hierarchy seven levels deep with named and non-affine transforms, a mesh
// whose name starts with a digit, and an animation set to skip. Every value
// has an exact six-decimal text form, so all forms give the same mesh.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace morvel::formats::xfile::testing {

enum class XForm { Text, Binary };

// The whole scene in one form, header included.
std::vector<uint8_t> GeneratedScene(XForm form);

// body: a file's bytes after its 16-byte header. The file with the body
// compressed in blocks of blockSize bytes (header "tzip" or "bzip").
std::vector<uint8_t> Compressed(const std::vector<uint8_t> &file, size_t blockSize = 32768);

// A text file of about size bytes: one small mesh after an unknown object
// whose data fills the rest, so a streamed read crosses its window inside
// a block it skips.
std::vector<uint8_t> LargeTextFile(size_t size);

// A 2 x 2 red 24-bit bitmap: the texture "red.bmp" the scene names beside itself.
std::vector<uint8_t> RedBitmap();

// What the loader must make of GeneratedScene.
constexpr uint32_t kGeneratedVertices = 28;  // 24 cube corner copies and a quad
constexpr uint32_t kGeneratedFaces = 14;
constexpr uint32_t kGeneratedFvf = 0x152;  // position, normal, diffuse, one uv pair

}  // namespace morvel::formats::xfile::testing
