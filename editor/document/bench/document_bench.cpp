// Cost of saving and of one rebuild, each against the plain work it cannot
// avoid: writing the file's bytes, and two deep copies of the document.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_api.h"
#include "document/table_ops.h"
#include "formats/motion/motion_file_writer.h"
#include "formats/motion/record_codec.h"
#include "mvllib/mvllib.h"

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace {

using namespace morvel::document;

constexpr int kPositionsPerFrame = 100;
constexpr int kFramesPerMotion = 500;

// totalPositions positions over motions of 500 frames of 100 positions.
void FillDocument(MotionDocument &document, int totalPositions) {
    Mvl_Func_ObjectInit(&document);
    document.parts = nullptr;
    document.motions = nullptr;
    const int frames = totalPositions / kPositionsPerFrame;
    const int motions = (frames + kFramesPerMotion - 1) / kFramesPerMotion;
    std::vector<PartEntry> parts(4);
    for (auto &p : parts) std::strcpy(p.fileName, ".\\part.x");
    std::vector<PositionEntry> positions(kPositionsPerFrame);
    for (int i = 0; i < kPositionsPerFrame; ++i) {
        positions[i].partNumber = static_cast<int16_t>(i % 4);
        positions[i].scale = {1.0, 1.0, 1.0};
        positions[i].translation = {i * 1.0, i * 2.0, i * 3.0};
    }
    std::vector<std::vector<FrameEntry>> frameTables(motions);
    std::vector<MotionEntry> motionTable(motions);
    int left = frames;
    for (int m = 0; m < motions; ++m) {
        const int count = left < kFramesPerMotion ? left : kFramesPerMotion;
        left -= count;
        frameTables[m].resize(count);
        for (auto &f : frameTables[m]) {
            f.positionCount = kPositionsPerFrame;
            f.positions = positions.data();
        }
        motionTable[m].frameCount = static_cast<uint16_t>(count);
        motionTable[m].frames = frameTables[m].data();
    }
    MotionDocument source = document;
    source.header.partCount = 4;
    source.header.motionCount = static_cast<uint16_t>(motions);
    source.parts = parts.data();
    source.motions = motionTable.data();
    Mvl_Func_Copy(&document, &source);
}

std::string BenchPath(const char *name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

bool FlushToDisk(std::FILE *file) {
    if (std::fflush(file) != 0) return false;
#if defined(_WIN32)
    return true;
#else
    return fsync(fileno(file)) == 0;
#endif
}

constexpr int kLargeDocumentPositions = 500000;  // 64 MB of position records

void BM_WriteMotionFile(benchmark::State &state) {
    MotionDocument document;
    FillDocument(document, kLargeDocumentPositions);
    const std::string path = BenchPath("morvel_bench_writer.mvl");
    for (auto _ : state) {
        if (!morvel::formats::motion::WriteMotionFile(document, path))
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<int64_t>(std::filesystem::file_size(path)));
    std::filesystem::remove(path);
    Mvl_Func_Delete(&document);
}

// The same bytes, already encoded and scrambled, written in 64 KiB chunks to
// a temporary file that is flushed, closed and renamed like a save.
void BM_WriteSameBytesIn64KiBChunks(benchmark::State &state) {
    MotionDocument document;
    FillDocument(document, kLargeDocumentPositions);
    const std::string image = BenchPath("morvel_bench_image.mvl");
    morvel::formats::motion::WriteMotionFile(document, image);
    std::vector<unsigned char> bytes(std::filesystem::file_size(image));
    std::FILE *in = std::fopen(image.c_str(), "rb");
    if (std::fread(bytes.data(), 1, bytes.size(), in) != bytes.size()) state.SkipWithError("read");
    std::fclose(in);
    std::filesystem::remove(image);
    Mvl_Func_Delete(&document);

    const std::string path = BenchPath("morvel_bench_chunks.mvl");
    const std::string temporary = path + ".tmp";
    constexpr size_t kChunk = 64 * 1024;
    for (auto _ : state) {
        std::FILE *out = std::fopen(temporary.c_str(), "wb");
        for (size_t at = 0; at < bytes.size(); at += kChunk) {
            const size_t size = bytes.size() - at < kChunk ? bytes.size() - at : kChunk;
            if (std::fwrite(bytes.data() + at, 1, size, out) != size) state.SkipWithError("write");
        }
        FlushToDisk(out);
        std::fclose(out);
        std::rename(temporary.c_str(), path.c_str());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
    std::filesystem::remove(path);
}

void BM_InsertPosition(benchmark::State &state) {
    MotionDocument document;
    FillDocument(document, static_cast<int>(state.range(0)));
    PositionEntry position{};
    position.scale = {1.0, 1.0, 1.0};
    int frame = 0;
    for (auto _ : state) {
        // Spread the insertions so that no frame grows much.
        if (!InsertPosition(document, 0, frame, position)) state.SkipWithError("refused");
        frame = (frame + 1) % document.motions[0].frameCount;
    }
    Mvl_Func_Delete(&document);
}

// Two deep copies of the document, each into a document that holds the
// previous copy and so is released first, as in a rebuild.
void BM_TwoCopies(benchmark::State &state) {
    MotionDocument document;
    FillDocument(document, static_cast<int>(state.range(0)));
    MotionDocument first;
    MotionDocument second;
    Mvl_Func_ObjectInit(&first);
    Mvl_Func_ObjectInit(&second);
    Mvl_Func_Copy(&first, &document);
    Mvl_Func_Copy(&second, &document);
    for (auto _ : state) {
        Mvl_Func_Copy(&first, &document);
        Mvl_Func_Copy(&second, &first);
    }
    Mvl_Func_Delete(&second);
    Mvl_Func_Delete(&first);
    Mvl_Func_Delete(&document);
}

BENCHMARK(BM_WriteMotionFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WriteSameBytesIn64KiBChunks)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_InsertPosition)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TwoCopies)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
