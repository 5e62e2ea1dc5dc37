#include "formats/gltf/accessor_reader.h"

#include <algorithm>
#include <cstring>

namespace morvel::formats::gltf {
namespace {

int ComponentSize(int componentType) {
    switch (componentType) {
        case TINYGLTF_COMPONENT_TYPE_BYTE:
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE:
            return 1;
        case TINYGLTF_COMPONENT_TYPE_SHORT:
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT:
            return 2;
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT:
        case TINYGLTF_COMPONENT_TYPE_FLOAT:
            return 4;
        default:
            return 0;
    }
}

int ComponentsOf(int type) {
    switch (type) {
        case TINYGLTF_TYPE_SCALAR: return 1;
        case TINYGLTF_TYPE_VEC2: return 2;
        case TINYGLTF_TYPE_VEC3: return 3;
        case TINYGLTF_TYPE_VEC4: return 4;
        default: return 0;  // matrices are no attribute we read
    }
}

// One component at p, as a float; normalised integers as glTF scales them.
float Component(const uint8_t *p, int componentType, bool normalized) {
    switch (componentType) {
        case TINYGLTF_COMPONENT_TYPE_FLOAT: {
            float value;
            std::memcpy(&value, p, 4);
            return value;
        }
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE:
            return normalized ? p[0] / 255.0f : p[0];
        case TINYGLTF_COMPONENT_TYPE_BYTE: {
            const auto v = static_cast<int8_t>(p[0]);
            return normalized ? std::max(v / 127.0f, -1.0f) : v;
        }
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT: {
            uint16_t v;
            std::memcpy(&v, p, 2);
            return normalized ? v / 65535.0f : v;
        }
        case TINYGLTF_COMPONENT_TYPE_SHORT: {
            int16_t v;
            std::memcpy(&v, p, 2);
            return normalized ? std::max(v / 32767.0f, -1.0f) : v;
        }
        default: {
            uint32_t v;
            std::memcpy(&v, p, 4);
            return static_cast<float>(v);
        }
    }
}

uint32_t Index(const uint8_t *p, int componentType) {
    if (componentType == TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE) return p[0];
    if (componentType == TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT) {
        uint16_t v;
        std::memcpy(&v, p, 2);
        return v;
    }
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

// Where count elements of elementSize bytes, stride apart, start in the
// view: false unless all of them lie inside it.
bool Strided(const tinygltf::Model &model, int view, size_t offset, size_t count,
             size_t elementSize, size_t stride, const uint8_t *&first, std::string &error) {
    const uint8_t *bytes = nullptr;
    size_t size = 0;
    if (!ViewBytes(model, view, bytes, size, error)) return false;
    if (count == 0) {
        first = bytes;
        return true;
    }
    const size_t span = (count - 1) > (SIZE_MAX - elementSize) / stride
                            ? SIZE_MAX
                            : (count - 1) * stride + elementSize;
    if (offset > size || span > size - offset) {
        error = "an accessor reaches past its buffer view";
        return false;
    }
    first = bytes + offset;
    return true;
}

struct Layout {
    const uint8_t *first = nullptr;  // nullptr: all zeros
    size_t stride = 0;
    int componentSize = 0;
    int components = 0;
};

bool Locate(const tinygltf::Model &model, int index, Layout &layout, std::string &error) {
    if (index < 0 || static_cast<size_t>(index) >= model.accessors.size()) {
        error = "an accessor index is out of range";
        return false;
    }
    const tinygltf::Accessor &a = model.accessors[static_cast<size_t>(index)];
    layout.componentSize = ComponentSize(a.componentType);
    layout.components = ComponentsOf(a.type);
    if (layout.componentSize == 0 || layout.components == 0) {
        error = "an accessor has an unknown component type or element type";
        return false;
    }
    const size_t elementSize = size_t(layout.componentSize) * size_t(layout.components);
    if (a.bufferView < 0) {
        if (a.count > kMaxZeroAccessorElements) {
            error = "an accessor without data claims " + std::to_string(a.count) + " elements";
            return false;
        }
        layout.stride = elementSize;
        return true;
    }
    if (static_cast<size_t>(a.bufferView) >= model.bufferViews.size()) {
        error = "an accessor's buffer view is out of range";
        return false;
    }
    const size_t declared = model.bufferViews[static_cast<size_t>(a.bufferView)].byteStride;
    layout.stride = declared == 0 ? elementSize : declared;
    if (layout.stride < elementSize) {
        error = "an accessor's elements overlap (stride below the element size)";
        return false;
    }
    return Strided(model, a.bufferView, a.byteOffset, a.count, elementSize, layout.stride,
                   layout.first, error);
}

// Sparse substitutes: indices and values packed in views of their own.
bool ApplySparse(const tinygltf::Model &model, const tinygltf::Accessor &a, int components,
                 std::vector<float> &out, std::string &error) {
    const auto &sparse = a.sparse;
    if (sparse.count < 0 || static_cast<size_t>(sparse.count) > a.count) {
        error = "a sparse accessor has more substitutes than elements";
        return false;
    }
    const size_t count = static_cast<size_t>(sparse.count);
    const int indexSize = ComponentSize(sparse.indices.componentType);
    const int valueSize = ComponentSize(a.componentType);
    if (indexSize == 0 || sparse.indices.componentType == TINYGLTF_COMPONENT_TYPE_BYTE ||
        sparse.indices.componentType == TINYGLTF_COMPONENT_TYPE_SHORT ||
        sparse.indices.componentType == TINYGLTF_COMPONENT_TYPE_FLOAT ||
        sparse.indices.byteOffset < 0 || sparse.values.byteOffset < 0) {
        error = "a sparse accessor's indices are not unsigned integers";
        return false;
    }
    const uint8_t *indices = nullptr, *values = nullptr;
    const size_t valueElement = size_t(valueSize) * size_t(components);
    if (!Strided(model, sparse.indices.bufferView, size_t(sparse.indices.byteOffset), count,
                 size_t(indexSize), size_t(indexSize), indices, error) ||
        !Strided(model, sparse.values.bufferView, size_t(sparse.values.byteOffset), count,
                 valueElement, valueElement, values, error)) {
        return false;
    }
    for (size_t i = 0; i < count; ++i) {
        const uint32_t target = Index(indices + i * size_t(indexSize), sparse.indices.componentType);
        if (target >= a.count) {
            error = "a sparse accessor substitutes an element it does not have";
            return false;
        }
        for (int c = 0; c < components; ++c) {
            out[size_t(target) * size_t(components) + size_t(c)] = Component(
                values + i * valueElement + size_t(c) * size_t(valueSize), a.componentType,
                a.normalized);
        }
    }
    return true;
}

}  // namespace

bool ViewBytes(const tinygltf::Model &model, int view, const uint8_t *&bytes, size_t &size,
               std::string &error) {
    if (view < 0 || static_cast<size_t>(view) >= model.bufferViews.size()) {
        error = "a buffer view index is out of range";
        return false;
    }
    const tinygltf::BufferView &v = model.bufferViews[static_cast<size_t>(view)];
    if (v.buffer < 0 || static_cast<size_t>(v.buffer) >= model.buffers.size()) {
        error = "a buffer view's buffer is out of range";
        return false;
    }
    const std::vector<unsigned char> &data = model.buffers[static_cast<size_t>(v.buffer)].data;
    if (v.byteOffset > data.size() || v.byteLength > data.size() - v.byteOffset) {
        error = "a buffer view reaches past its buffer";
        return false;
    }
    bytes = data.data() + v.byteOffset;
    size = v.byteLength;
    return true;
}

bool ReadFloats(const tinygltf::Model &model, int accessor, std::initializer_list<int> components,
                std::vector<float> &out, std::string &error, int *found) {
    Layout layout;
    if (!Locate(model, accessor, layout, error)) return false;
    if (std::find(components.begin(), components.end(), layout.components) == components.end()) {
        error = "an accessor has the wrong element type for its use";
        return false;
    }
    const tinygltf::Accessor &a = model.accessors[static_cast<size_t>(accessor)];
    if (a.componentType == TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT) {
        error = "an accessor of floats holds 32-bit integers";
        return false;
    }
    const size_t n = size_t(layout.components);
    out.assign(a.count * n, 0.0f);
    if (layout.first != nullptr) {
        for (size_t i = 0; i < a.count; ++i) {
            const uint8_t *element = layout.first + i * layout.stride;
            for (size_t c = 0; c < n; ++c) {
                out[i * n + c] = Component(element + c * size_t(layout.componentSize),
                                           a.componentType, a.normalized);
            }
        }
    }
    if (a.sparse.isSparse && !ApplySparse(model, a, layout.components, out, error)) return false;
    if (found) *found = layout.components;
    return true;
}

bool ReadIndices(const tinygltf::Model &model, int accessor, std::vector<uint32_t> &out,
                 std::string &error) {
    Layout layout;
    if (!Locate(model, accessor, layout, error)) return false;
    const tinygltf::Accessor &a = model.accessors[static_cast<size_t>(accessor)];
    if (layout.components != 1 || a.sparse.isSparse ||
        (a.componentType != TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE &&
         a.componentType != TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT &&
         a.componentType != TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT)) {
        error = "an index accessor is not of plain unsigned integers";
        return false;
    }
    out.assign(a.count, 0);
    if (layout.first == nullptr) return true;
    for (size_t i = 0; i < a.count; ++i) out[i] = Index(layout.first + i * layout.stride, a.componentType);
    return true;
}

}  // namespace morvel::formats::gltf
