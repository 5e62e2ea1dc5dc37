// The window thread's share of an autosave of a 10 MB document (the
// snapshot and the hand-off to the writing thread) against the whole
// autosave done on the window thread (snapshot and write). Both run in the
// same process; the ratio of their times is the figure.
#include "app/autosave.h"
#include "app/thread_job_runner.h"
#include "document/snapshot_copy.h"
#include "bench_api.h"
#include "test_documents.h"

namespace {

using morvel::document::testing::DocumentContents;
using morvel::document::testing::MakePosition;

// 100 motions x 40 frames x 20 positions: 80,000 positions of 128 bytes.
DocumentContents TenMegabyteDocument() {
    DocumentContents contents;
    contents.parts = {".\\a.x", ".\\b.x"};
    for (int m = 0; m < 100; ++m) {
        morvel::document::testing::MotionContents motion{"m" + std::to_string(m), "", {}};
        for (int f = 0; f < 40; ++f) {
            morvel::document::testing::FrameContents frame{"f", {}};
            for (int p = 0; p < 20; ++p) frame.positions.push_back(MakePosition(p % 2, m + f + p));
            motion.frames.push_back(frame);
        }
        contents.motions.push_back(motion);
    }
    return contents;
}

morvel::app::RecoveryRecord BenchRecord() {
    morvel::app::RecoveryRecord record;
    record.process = {1, 1};
    record.documentPath = "C:\\figures\\walk.mvl";
    return record;
}

void BM_AutosaveWindowThreadShare(benchmark::State &state) {
    morvel::document::testing::OwnedDocument doc(TenMegabyteDocument());
    morvel::document::testing::TempFolder folder;
    morvel::app::AutosaveState autosave;
    autosave.ownCopy = folder.Path("copy.mvl");
    morvel::app::ThreadJobRunner writer;
    for (auto _ : state) {
        morvel::app::StartRecoveryWrite(autosave, doc.Get(), BenchRecord(), writer);
        state.PauseTiming();
        writer.Wait();
        autosave.counters.writing = false;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AutosaveWindowThreadShare)->Unit(benchmark::kMillisecond);

void BM_AutosaveAllOnTheWindowThread(benchmark::State &state) {
    morvel::document::testing::OwnedDocument doc(TenMegabyteDocument());
    morvel::document::testing::TempFolder folder;
    morvel::app::OwnedMotionDocument snapshot;
    const std::string path = folder.Path("copy.mvl");
    for (auto _ : state) {
        morvel::document::CopyDocumentReusingTables(snapshot.document, doc.Get());
        benchmark::DoNotOptimize(
            morvel::app::WriteRecoveryCopy(snapshot.document, BenchRecord(), path));
    }
}
BENCHMARK(BM_AutosaveAllOnTheWindowThread)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
