// Loading and building a ~30 MB text X file: this loader against Assimp's
// importer (post-processing limited to triangulation) on the same file.
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <assimp/Importer.hpp>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "bench_api.h"
#include "formats/xfile/x_mesh_loader.h"
#include "x_bench_file.h"

namespace {

std::string g_path;

void OurLoader(benchmark::State &state) {
    for (auto _ : state) {
        morvel::formats::xfile::MeshData mesh;
        const auto result = morvel::formats::xfile::LoadMeshFromXFile(g_path, mesh);
        if (!result.ok) state.SkipWithError(result.error.c_str());
        benchmark::DoNotOptimize(mesh.vertices.data());
    }
}

void AssimpBaseline(benchmark::State &state) {
    for (auto _ : state) {
        Assimp::Importer importer;
        const aiScene *scene = importer.ReadFile(g_path, aiProcess_Triangulate);
        if (!scene) state.SkipWithError(importer.GetErrorString());
        benchmark::DoNotOptimize(scene);
    }
}

BENCHMARK(OurLoader)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(AssimpBaseline)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// Keeps each benchmark's time per iteration to print the ratio at the end:
// the median when --benchmark_repetitions asks for several runs, else the
// one run there is.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override {
        for (const Run &run : runs) {
            if (run.error_occurred) continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (!median && run.run_type != Run::RT_Iteration) continue;
            const std::string name = run.run_name.function_name;
            if (!median && medians.count(name)) continue;
            if (median) medians.insert(name);
            realTime[name] = run.GetAdjustedRealTime();
            cpuTime[name] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::set<std::string> medians;
    std::map<std::string, double> realTime;
    std::map<std::string, double> cpuTime;
};

}  // namespace

int main(int argc, char **argv) {
    benchmark::Initialize(&argc, argv);
    const std::string text = morvel::formats::xfile::bench::MakeGridXFile(4, 235);
    g_path = (std::filesystem::temp_directory_path() / ("morvel_x_bench_" + std::to_string(text.size()) + ".x")).string();
    if (std::FILE *file = std::fopen(g_path.c_str(), "wb")) {
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }
    std::printf("generated %s: %.1f MB\n", g_path.c_str(), text.size() / 1e6);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const auto *times : {&reporter.realTime, &reporter.cpuTime}) {
        const auto ours = times->find("OurLoader");
        const auto theirs = times->find("AssimpBaseline");
        if (ours != times->end() && theirs != times->end() && theirs->second > 0) {
            std::printf("ratio ours / Assimp (%s time%s): %.3f\n", times == &reporter.realTime ? "real" : "CPU",
                        reporter.medians.count("OurLoader") ? ", medians" : "", ours->second / theirs->second);
        }
    }
    std::filesystem::remove(g_path);
    benchmark::Shutdown();
    return 0;
}
