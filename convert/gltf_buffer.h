// The one binary buffer of an exported file: vertex data, indices, key
// frames and (in a .glb) the images, each in a buffer view of its own that
// starts on a four-byte boundary.
#pragma once

#include <tiny_gltf.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace morvel::convert {

class BufferBuilder {
public:
    // Appends to model's buffer 0, which it creates when the model has none.
    explicit BufferBuilder(tinygltf::Model &model);

    // A buffer view over a copy of bytes; target 0 for none.
    int AddView(const void *bytes, size_t size, int target);

    // An accessor over floats, count elements of type (TINYGLTF_TYPE_VEC3,
    // ...); min and max are written when withBounds.
    int AddFloats(const std::vector<float> &values, int type, int target, bool withBounds);

    // Vertex colours as normalised unsigned bytes, four per element.
    int AddColours(const std::vector<uint8_t> &rgba);

    // Triangle indices, as 16-bit values when vertexCount allows.
    int AddIndices(const std::vector<uint32_t> &indices, uint32_t vertexCount);

private:
    tinygltf::Model &model_;
};

}  // namespace morvel::convert
