// The glTF import of a generated figure (100 mesh nodes of 1,000 vertices in
// ten chains, one animation of 1,000 frames turning every node) against
// tinygltf parsing the same file in the same run: the import parses it too,
// then bakes 100,000 poses and writes the X files and the motion file. The
// ratio of the two times is the figure (at most 2). On a shared machine run
// both in turn: --benchmark_enable_random_interleaving=true
// --benchmark_repetitions=3.
#include <tiny_gltf.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>

#include "bench_api.h"
#include "convert/figure_import.h"
#include "convert/gltf_buffer.h"

namespace {

constexpr int kNodes = 100, kVertices = 1000, kFrames = 1000;

std::string BenchFolder() {
    return (std::filesystem::temp_directory_path() / "morvel_import_bench").string();
}

std::string GltfText() {
    tinygltf::Model model;
    model.asset.version = "2.0";
    morvel::convert::BufferBuilder buffer(model);
    std::vector<float> times;
    for (int f = 0; f < kFrames; ++f) times.push_back(f / 10.0f);
    const int input = buffer.AddFloats(times, TINYGLTF_TYPE_SCALAR, 0, true);
    tinygltf::Animation animation;
    animation.name = "sway";
    for (int n = 0; n < kNodes; ++n) {
        std::vector<float> positions, normals;
        std::vector<uint32_t> indices;
        for (int v = 0; v < kVertices; ++v) {
            const float a = v * 0.01f;
            positions.insert(positions.end(), {std::cos(a) * (1 + n % 3), v * 0.001f, std::sin(a)});
            normals.insert(normals.end(), {std::cos(a), 0, std::sin(a)});
            if (v >= 2) indices.insert(indices.end(), {uint32_t(v - 2), uint32_t(v - 1), uint32_t(v)});
        }
        tinygltf::Primitive primitive;
        primitive.attributes["POSITION"] = buffer.AddFloats(positions, TINYGLTF_TYPE_VEC3, TINYGLTF_TARGET_ARRAY_BUFFER, true);
        primitive.attributes["NORMAL"] = buffer.AddFloats(normals, TINYGLTF_TYPE_VEC3, TINYGLTF_TARGET_ARRAY_BUFFER, false);
        primitive.indices = buffer.AddIndices(indices, kVertices);
        tinygltf::Mesh mesh;
        mesh.primitives.push_back(primitive);
        model.meshes.push_back(mesh);
        tinygltf::Node node;
        node.name = "node " + std::to_string(n);
        node.mesh = n;
        node.translation = {0, 1, 0};
        if (n % 10 != 9) node.children.push_back(n + 1);  // ten chains of ten
        model.nodes.push_back(node);

        std::vector<float> rotations;
        for (int f = 0; f < kFrames; ++f) {
            const double half = std::sin(f * 0.05 + n) * 0.3;
            rotations.insert(rotations.end(), {0, 0, float(std::sin(half)), float(std::cos(half))});
        }
        tinygltf::AnimationSampler sampler;
        sampler.input = input;
        sampler.output = buffer.AddFloats(rotations, TINYGLTF_TYPE_VEC4, 0, false);
        animation.samplers.push_back(sampler);
        tinygltf::AnimationChannel channel;
        channel.sampler = n;
        channel.target_node = n;
        channel.target_path = "rotation";
        animation.channels.push_back(channel);
    }
    model.animations.push_back(animation);
    tinygltf::Scene scene;
    for (int n = 0; n < kNodes; n += 10) scene.nodes.push_back(n);
    model.scenes.push_back(scene);
    std::ostringstream stream;
    tinygltf::TinyGLTF writer;
    writer.WriteGltfSceneToStream(&model, stream, false, false);
    return stream.str();
}

const std::string &InputPath() {
    static const std::string path = [] {
        std::filesystem::create_directories(BenchFolder());
        const std::string file = BenchFolder() + "/figure.gltf";
        const std::string text = GltfText();
        std::FILE *out = std::fopen(file.c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), out);
        std::fclose(out);
        return file;
    }();
    return path;
}

void BM_TinyGltfParseBaseline(benchmark::State &state) {
    std::FILE *in = std::fopen(InputPath().c_str(), "rb");
    std::string text(std::filesystem::file_size(InputPath()), '\0');
    std::fread(&text[0], 1, text.size(), in);
    std::fclose(in);
    for (auto _ : state) {
        tinygltf::TinyGLTF loader;
        tinygltf::Model model;
        std::string error, warning;
        loader.SetImageLoader([](tinygltf::Image *, const int, std::string *, std::string *, int, int,
                                 const unsigned char *, int, void *) { return true; },
                              nullptr);
        if (!loader.LoadASCIIFromString(&model, &error, &warning, text.data(), unsigned(text.size()), "")) {
            state.SkipWithError(error.c_str());
        }
        benchmark::DoNotOptimize(model.buffers.data());
    }
}
BENCHMARK(BM_TinyGltfParseBaseline)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Each import writes a new folder; removing the last one is not timed.
void BM_GltfImport(benchmark::State &state) {
    const std::string folder = BenchFolder() + "/figure";
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove_all(folder);
        state.ResumeTiming();
        const auto report = morvel::convert::ImportGltf(InputPath(), folder, {});
        if (!report.ok || report.frames != kFrames || report.parts != kNodes) {
            static std::string why;
            why = report.ok ? std::to_string(report.frames) + " frames, " + std::to_string(report.parts) + " parts"
                            : report.error;
            state.SkipWithError(why.c_str());
        }
    }
}
BENCHMARK(BM_GltfImport)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
