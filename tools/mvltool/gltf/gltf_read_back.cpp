#include "gltf_read_back.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>

namespace morvel::convert::testing {
namespace {

bool KeepEncodedBytes(tinygltf::Image *image, const int, std::string *, std::string *, int, int,
                      const unsigned char *bytes, int size, void *) {
    image->image.assign(bytes, bytes + size);
    return true;
}

Matrix4 Identity() {
    Matrix4 m{};
    for (int i = 0; i < 4; ++i) m[i][i] = 1;
    return m;
}

Matrix4 Multiply(const Matrix4 &a, const Matrix4 &b) {
    Matrix4 m{};
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            for (int k = 0; k < 4; ++k) m[r][c] += a[r][k] * b[k][c];
        }
    }
    return m;
}

}  // namespace

Matrix4 Compose(const std::vector<double> &t, const std::vector<double> &q,
                const std::vector<double> &s) {
    const double x = q[0], y = q[1], z = q[2], w = q[3];
    const double r[3][3] = {{1 - 2 * (y * y + z * z), 2 * (x * y - z * w), 2 * (x * z + y * w)},
                            {2 * (x * y + z * w), 1 - 2 * (x * x + z * z), 2 * (y * z - x * w)},
                            {2 * (x * z - y * w), 2 * (y * z + x * w), 1 - 2 * (x * x + y * y)}};
    Matrix4 m = Identity();
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) m[row][col] = r[row][col] * s[col];
        m[row][3] = t[row];
    }
    return m;
}

namespace {

std::vector<double> KeyValue(const std::vector<double> &values, size_t components, size_t key) {
    return std::vector<double>(values.begin() + static_cast<long>(key * components),
                               values.begin() + static_cast<long>((key + 1) * components));
}

}  // namespace

bool ReadModel(const std::string &path, tinygltf::Model &model, std::string &error) {
    tinygltf::TinyGLTF loader;
    loader.SetImageLoader(KeepEncodedBytes, nullptr);
    std::string warning;
    const bool binary = path.size() > 4 && path.compare(path.size() - 4, 4, ".glb") == 0;
    const bool ok = binary ? loader.LoadBinaryFromFile(&model, &error, &warning, path)
                           : loader.LoadASCIIFromFile(&model, &error, &warning, path);
    if (!warning.empty()) error += warning;
    return ok;
}

std::vector<double> ReadAccessor(const tinygltf::Model &model, int index) {
    const tinygltf::Accessor &accessor = model.accessors.at(static_cast<size_t>(index));
    const tinygltf::BufferView &view =
        model.bufferViews.at(static_cast<size_t>(accessor.bufferView));
    const std::vector<unsigned char> &data =
        model.buffers.at(static_cast<size_t>(view.buffer)).data;
    const size_t components = static_cast<size_t>(tinygltf::GetNumComponentsInType(accessor.type));
    const size_t size =
        static_cast<size_t>(tinygltf::GetComponentSizeInBytes(accessor.componentType));
    const size_t first = view.byteOffset + accessor.byteOffset;
    std::vector<double> values;
    for (size_t i = 0; i < accessor.count * components; ++i) {
        const size_t offset = first + i * size;
        (void)data.at(offset + size - 1);  // throws past the buffer's end
        const unsigned char *at = &data[offset];
        switch (accessor.componentType) {
            case TINYGLTF_COMPONENT_TYPE_FLOAT: {
                float f;
                std::memcpy(&f, at, 4);
                values.push_back(f);
                break;
            }
            case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE:
                values.push_back(*at);
                break;
            case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT: {
                uint16_t u;
                std::memcpy(&u, at, 2);
                values.push_back(u);
                break;
            }
            default: {
                uint32_t u;
                std::memcpy(&u, at, 4);
                values.push_back(u);
            }
        }
    }
    return values;
}

std::vector<uint8_t> ImageBytes(const tinygltf::Model &model, int image) {
    const auto &bytes = model.images.at(static_cast<size_t>(image)).image;
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

std::vector<double> ChannelValues(const tinygltf::Model &model, int animation, int node,
                                  const std::string &path, std::string *interpolation) {
    const tinygltf::Animation &a = model.animations.at(static_cast<size_t>(animation));
    for (const tinygltf::AnimationChannel &channel : a.channels) {
        if (channel.target_node != node || channel.target_path != path) continue;
        const tinygltf::AnimationSampler &sampler =
            a.samplers.at(static_cast<size_t>(channel.sampler));
        if (interpolation != nullptr) *interpolation = sampler.interpolation;
        return ReadAccessor(model, sampler.output);
    }
    return {};
}

Matrix4 LocalMatrixAt(const tinygltf::Model &model, int animation, int node, size_t key) {
    const tinygltf::Node &n = model.nodes.at(static_cast<size_t>(node));
    std::vector<double> t = n.translation.empty() ? std::vector<double>{0, 0, 0} : n.translation;
    std::vector<double> r = n.rotation.empty() ? std::vector<double>{0, 0, 0, 1} : n.rotation;
    std::vector<double> s = n.scale.empty() ? std::vector<double>{1, 1, 1} : n.scale;
    if (const auto v = ChannelValues(model, animation, node, "translation"); !v.empty())
        t = KeyValue(v, 3, key);
    if (const auto v = ChannelValues(model, animation, node, "rotation"); !v.empty())
        r = KeyValue(v, 4, key);
    if (const auto v = ChannelValues(model, animation, node, "scale"); !v.empty())
        s = KeyValue(v, 3, key);
    return Compose(t, r, s);
}

Matrix4 WorldMatrixAt(const tinygltf::Model &model, int animation, int node, size_t key) {
    Matrix4 world = LocalMatrixAt(model, animation, node, key);
    for (int child = node;;) {
        int parent = -1;
        for (size_t i = 0; i < model.nodes.size() && parent < 0; ++i) {
            const auto &children = model.nodes[i].children;
            if (std::find(children.begin(), children.end(), child) != children.end()) {
                parent = static_cast<int>(i);
            }
        }
        if (parent < 0) return world;
        world = Multiply(LocalMatrixAt(model, animation, parent, key), world);
        child = parent;
    }
}

Matrix4 EditorMatrixInGltf(const morvel::Matrix &editor, bool mirrorZ) {
    const double sign[4] = {1, 1, mirrorZ ? -1.0 : 1.0, 1};
    Matrix4 m{};
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) m[r][c] = sign[r] * sign[c] * editor.m[c][r];
    }
    return m;
}

double Difference(const Matrix4 &actual, const Matrix4 &expected) {
    double worst = 0;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            const double scale = std::max(1.0, std::fabs(expected[r][c]));
            worst = std::max(worst, std::fabs(actual[r][c] - expected[r][c]) / scale);
        }
    }
    return worst;
}

TemporaryFolder::TemporaryFolder() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("mvltool_gltf_tests_" + std::to_string(getpid()) + "_" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> TemporaryFolder::FileNames() const {
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(path_)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

DocumentBuilder::DocumentBuilder() {
    Mvl_Func_ObjectInit(&document);
}

void DocumentBuilder::AddPart(const std::string &fileName) {
    PartEntry part{};
    std::strncpy(part.fileName, fileName.c_str(), sizeof part.fileName - 1);
    parts.push_back(part);
}

void DocumentBuilder::AddMotion(const std::string &name,
                                const std::vector<std::vector<PositionEntry>> &framePositions) {
    MotionEntry motion{};
    std::strncpy(motion.name, name.c_str(), sizeof motion.name - 1);
    motions.push_back(motion);
    positions.push_back(framePositions);
    frames.emplace_back(framePositions.size());
}

MotionDocument &DocumentBuilder::Finish() {
    for (size_t m = 0; m < motions.size(); ++m) {
        for (size_t f = 0; f < frames[m].size(); ++f) {
            frames[m][f].positionCount = static_cast<uint16_t>(positions[m][f].size());
            frames[m][f].positions = positions[m][f].data();
        }
        motions[m].frameCount = static_cast<uint16_t>(frames[m].size());
        motions[m].frames = frames[m].data();
    }
    document.header.partCount = static_cast<uint16_t>(parts.size());
    document.header.motionCount = static_cast<uint16_t>(motions.size());
    document.parts = parts.data();
    document.motions = motions.data();
    return document;
}

PositionEntry Position(int16_t part, std::array<double, 3> translation,
                       std::array<int16_t, 3> rotation, std::array<double, 3> scale) {
    PositionEntry p{};
    p.partNumber = part;
    p.translation = {translation[0], translation[1], translation[2]};
    p.rotation = {rotation[0], rotation[1], rotation[2]};
    p.scale = {scale[0], scale[1], scale[2]};
    return p;
}

}  // namespace morvel::convert::testing
