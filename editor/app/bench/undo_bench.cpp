// PushUndoSnapshot of a 10 MB document against one memcpy of the same bytes.
// All run in the same process; the ratio of their times is the figure. A
// push writes into the slot written fifty pushes (500 MB) ago, which no
// cache still holds, while the plain memcpy rewrites the same 10 MB each
// time: the memcpy into fifty buffers in turn is the baseline with the
// ring's memory traffic.
#include <cstring>
#include <vector>

#include "app/undo_ring.h"
#include "bench_api.h"
#include "test_documents.h"

namespace {

using morvel::document::testing::OwnedDocument;
using morvel::document::testing::TenMegabyteDocument;

size_t DocumentBytes(const MotionDocument &d) {
    size_t bytes = sizeof d.header + d.header.partCount * sizeof(PartEntry) +
                   d.header.motionCount * sizeof(MotionEntry);
    for (int m = 0; m < d.header.motionCount; ++m) {
        bytes += d.motions[m].frameCount * sizeof(FrameEntry);
        for (int f = 0; f < d.motions[m].frameCount; ++f) {
            bytes += d.motions[m].frames[f].positionCount * sizeof(PositionEntry);
        }
    }
    return bytes;
}

void BM_PushUndoSnapshot(benchmark::State &state) {
    morvel::document::EditorDocument doc;
    morvel::document::InitDocument(doc);
    morvel::document::testing::Fill(doc.document, TenMegabyteDocument({".\\a.x", ".\\b.x"}));
    morvel::app::UndoRing ring;
    ring.Reset(doc);
    // Fill the ring once, so each measured push also lets go of a full slot.
    for (int i = 0; i < morvel::app::kUndoSlots; ++i) ring.Push(doc);
    for (auto _ : state) ring.Push(doc);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * DocumentBytes(doc.document)));
    morvel::document::ReleaseDocument(doc);
}
BENCHMARK(BM_PushUndoSnapshot)->Unit(benchmark::kMillisecond);

void BM_MemcpySameBytes(benchmark::State &state) {
    OwnedDocument doc(TenMegabyteDocument({".\\a.x", ".\\b.x"}));
    const size_t bytes = DocumentBytes(doc.Get());
    std::vector<char> source(bytes, 1), destination(bytes, 0);
    for (auto _ : state) {
        std::memcpy(destination.data(), source.data(), bytes);
        benchmark::DoNotOptimize(destination.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_MemcpySameBytes)->Unit(benchmark::kMillisecond);

void BM_MemcpyIntoFiftyBuffersInTurn(benchmark::State &state) {
    OwnedDocument doc(TenMegabyteDocument({".\\a.x", ".\\b.x"}));
    const size_t bytes = DocumentBytes(doc.Get());
    std::vector<char> source(bytes, 1);
    std::vector<std::vector<char>> destinations(morvel::app::kUndoSlots,
                                                std::vector<char>(bytes, 0));
    size_t next = 0;
    for (auto _ : state) {
        std::memcpy(destinations[next].data(), source.data(), bytes);
        benchmark::DoNotOptimize(destinations[next].data());
        benchmark::ClobberMemory();
        next = (next + 1) % destinations.size();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_MemcpyIntoFiftyBuffersInTurn)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
