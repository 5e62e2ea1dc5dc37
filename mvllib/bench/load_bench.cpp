// Mvl_Func_Load of a ~64 MB motion file against two baselines in the same
// run: reading the file in 64 KiB chunks and unscrambling every byte, and the
// same plus copying it into freshly allocated arrays (the memory a loaded
// document occupies has to be allocated and touched whatever the loader does).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench_api.h"
#include "formats/motion/record_codec.h"
#include "formats/motion/scramble.h"
#include "mvllib/mvllib.h"

namespace {

const char *kPath = "/tmp/mvllib_bench_64mb.mvl";

void WriteRecord(std::FILE *f, unsigned char *bytes, int size) {
    Mvl_Func_Shuffle(bytes, bytes, size, morvel::formats::motion::kScrambleKey);
    std::fwrite(bytes, 1, static_cast<size_t>(size), f);
}

// 8 motions x 64 frames x 1024 positions: 524,288 positions, about 64 MB.
void GenerateFile() {
    static bool done = false;
    if (done) return;
    done = true;
    const int motions = 8, frames = 64, positions = 1024;
    std::FILE *f = std::fopen(kPath, "wb");
    MotionDocument d;
    Mvl_Func_ObjectInit(&d);
    d.header.partCount = 4;
    d.header.motionCount = motions;
    unsigned char header[MVL_HEADER_SIZE];
    morvel::formats::motion::EncodeHeader(d.header, header);
    WriteRecord(f, header, MVL_HEADER_SIZE);
    for (int p = 0; p < 4; ++p) {
        PartEntry part{};
        std::snprintf(part.fileName, sizeof part.fileName, ".\\part%d.x", p);
        unsigned char bytes[MVL_PART_RECORD_SIZE];
        morvel::formats::motion::EncodePart(part, bytes);
        WriteRecord(f, bytes, MVL_PART_RECORD_SIZE);
    }
    for (int m = 0; m < motions; ++m) {
        MotionEntry motion{};
        motion.frameCount = frames;
        unsigned char bytes[MVL_MOTION_RECORD_SIZE];
        morvel::formats::motion::EncodeMotion(motion, bytes);
        WriteRecord(f, bytes, MVL_MOTION_RECORD_SIZE);
    }
    for (int i = 0; i < motions * frames; ++i) {
        FrameEntry frame{};
        frame.positionCount = positions;
        unsigned char bytes[MVL_FRAME_RECORD_SIZE];
        morvel::formats::motion::EncodeFrame(frame, bytes);
        WriteRecord(f, bytes, MVL_FRAME_RECORD_SIZE);
    }
    for (int i = 0; i < motions * frames * positions; ++i) {
        PositionEntry p{};
        p.partNumber = static_cast<int16_t>(i % 4);
        p.scale = {1.0, 1.0, 1.0};
        p.translation = {i * 0.5, -i * 0.25, 3.0};
        p.rotation = {static_cast<int16_t>(i % 360), 0, 0};
        unsigned char bytes[MVL_POSITION_RECORD_SIZE];
        morvel::formats::motion::EncodePosition(p, bytes);
        WriteRecord(f, bytes, MVL_POSITION_RECORD_SIZE);
    }
    std::fclose(f);
}

void BM_ReadAndUnscrambleBaseline(benchmark::State &state) {
    GenerateFile();
    std::vector<unsigned char> chunk(64 * 1024);
    for (auto _ : state) {
        std::FILE *f = std::fopen(kPath, "rb");
        size_t total = 0;
        unsigned sum = 0;
        size_t got;
        while ((got = std::fread(chunk.data(), 1, chunk.size(), f)) > 0) {
            for (size_t i = 0; i < got; ++i) chunk[i] ^= 'M';
            sum += chunk[got - 1];
            total += got;
        }
        std::fclose(f);
        benchmark::DoNotOptimize(sum);
        state.SetBytesProcessed(state.bytes_processed() + static_cast<int64_t>(total));
    }
}
BENCHMARK(BM_ReadAndUnscrambleBaseline)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The same read and unscramble, plus what any loader that hands out one
// array per frame must pay: fresh memory of the document's size, touched once.
void BM_ReadUnscrambleIntoFreshArraysFloor(benchmark::State &state) {
    GenerateFile();
    std::vector<unsigned char> chunk(64 * 1024);
    const size_t arrayBytes = 1024 * MVL_POSITION_RECORD_SIZE;  // one frame's positions
    std::vector<unsigned char *> arrays;
    // Reserved first, so that this bookkeeping does not sit above the arrays
    // in the heap and keep the allocator from giving their pages back.
    arrays.reserve(1024);
    for (auto _ : state) {
        std::FILE *f = std::fopen(kPath, "rb");
        size_t filled = arrayBytes;
        size_t got;
        while ((got = std::fread(chunk.data(), 1, chunk.size(), f)) > 0) {
            for (size_t i = 0; i < got; ++i) chunk[i] ^= 'M';
            for (size_t done = 0; done < got;) {
                if (filled == arrayBytes) {
                    arrays.push_back(static_cast<unsigned char *>(std::malloc(arrayBytes)));
                    filled = 0;
                }
                const size_t n = std::min(got - done, arrayBytes - filled);
                std::memcpy(arrays.back() + filled, chunk.data() + done, n);
                filled += n;
                done += n;
            }
        }
        std::fclose(f);
        benchmark::DoNotOptimize(arrays.back()[0]);
        state.PauseTiming();
        for (unsigned char *a : arrays) std::free(a);
        arrays.clear();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ReadUnscrambleIntoFreshArraysFloor)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_MvlFuncLoad(benchmark::State &state) {
    GenerateFile();
    MotionDocument d;
    Mvl_Func_ObjectInit(&d);
    for (auto _ : state) {
        const int result = Mvl_Func_Load(&d, kPath, "");
        if (result != 0) state.SkipWithError("load failed");
        state.PauseTiming();
        Mvl_Func_Delete(&d);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MvlFuncLoad)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
