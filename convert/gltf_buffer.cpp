#include "convert/gltf_buffer.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace morvel::convert {
namespace {

int ComponentsOf(int type) {
    switch (type) {
        case TINYGLTF_TYPE_SCALAR:
            return 1;
        case TINYGLTF_TYPE_VEC2:
            return 2;
        case TINYGLTF_TYPE_VEC3:
            return 3;
        default:
            return 4;
    }
}

}  // namespace

BufferBuilder::BufferBuilder(tinygltf::Model &model) : model_(model) {
    if (model_.buffers.empty()) model_.buffers.emplace_back();
}

int BufferBuilder::AddView(const void *bytes, size_t size, int target) {
    std::vector<unsigned char> &data = model_.buffers[0].data;
    data.resize((data.size() + 3) / 4 * 4, 0);
    tinygltf::BufferView view;
    view.buffer = 0;
    view.byteOffset = data.size();
    view.byteLength = size;
    view.target = target;
    const auto *first = static_cast<const unsigned char *>(bytes);
    data.insert(data.end(), first, first + size);
    model_.bufferViews.push_back(view);
    return static_cast<int>(model_.bufferViews.size() - 1);
}

int BufferBuilder::AddFloats(const std::vector<float> &values, int type, int target,
                             bool withBounds) {
    const int components = ComponentsOf(type);
    tinygltf::Accessor accessor;
    accessor.bufferView = AddView(values.data(), values.size() * sizeof(float), target);
    accessor.componentType = TINYGLTF_COMPONENT_TYPE_FLOAT;
    accessor.type = type;
    accessor.count = values.size() / static_cast<size_t>(components);
    if (withBounds) {
        accessor.minValues.assign(components, std::numeric_limits<double>::infinity());
        accessor.maxValues.assign(components, -std::numeric_limits<double>::infinity());
        for (size_t i = 0; i < values.size(); ++i) {
            const size_t c = i % static_cast<size_t>(components);
            accessor.minValues[c] = std::min(accessor.minValues[c], double{values[i]});
            accessor.maxValues[c] = std::max(accessor.maxValues[c], double{values[i]});
        }
    }
    model_.accessors.push_back(accessor);
    return static_cast<int>(model_.accessors.size() - 1);
}

int BufferBuilder::AddColours(const std::vector<uint8_t> &rgba) {
    tinygltf::Accessor accessor;
    accessor.bufferView = AddView(rgba.data(), rgba.size(), TINYGLTF_TARGET_ARRAY_BUFFER);
    accessor.componentType = TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE;
    accessor.normalized = true;
    accessor.type = TINYGLTF_TYPE_VEC4;
    accessor.count = rgba.size() / 4;
    model_.accessors.push_back(accessor);
    return static_cast<int>(model_.accessors.size() - 1);
}

int BufferBuilder::AddIndices(const std::vector<uint32_t> &indices, uint32_t vertexCount) {
    tinygltf::Accessor accessor;
    accessor.type = TINYGLTF_TYPE_SCALAR;
    accessor.count = indices.size();
    // 65535 is the primitive restart value of 16-bit indices.
    if (vertexCount < 0xFFFFu) {
        std::vector<uint16_t> narrow(indices.begin(), indices.end());
        accessor.bufferView = AddView(narrow.data(), narrow.size() * sizeof(uint16_t),
                                      TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER);
        accessor.componentType = TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT;
    } else {
        accessor.bufferView = AddView(indices.data(), indices.size() * sizeof(uint32_t),
                                      TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER);
        accessor.componentType = TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT;
    }
    model_.accessors.push_back(accessor);
    return static_cast<int>(model_.accessors.size() - 1);
}

}  // namespace morvel::convert
