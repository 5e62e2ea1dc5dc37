// Accessors read with every count, index and byte range checked against the
// buffers before a byte is touched: the file decides none of them.
#pragma once

#include <tiny_gltf.h>

#include <cstdint>
#include <string>
#include <vector>

namespace morvel::formats::gltf {

// An accessor without a buffer view is all zeros; beyond this many elements
// it would cost memory the file never paid for.
constexpr size_t kMaxZeroAccessorElements = size_t{1} << 20;

// The accessor's elements as floats (normalised integers scaled to 0..1 or
// -1..1). components lists the element widths the caller accepts (VEC3 or
// VEC4 colours, say); the one found goes to *found. Sparse values applied.
bool ReadFloats(const tinygltf::Model &model, int accessor, std::initializer_list<int> components,
                std::vector<float> &out, std::string &error, int *found = nullptr);

// An accessor of unsigned integer scalars, as triangle indices are.
bool ReadIndices(const tinygltf::Model &model, int accessor, std::vector<uint32_t> &out,
                 std::string &error);

// The bytes of a buffer view, checked against its buffer; empty on failure.
bool ViewBytes(const tinygltf::Model &model, int view, const uint8_t *&bytes, size_t &size,
               std::string &error);

}  // namespace morvel::formats::gltf
