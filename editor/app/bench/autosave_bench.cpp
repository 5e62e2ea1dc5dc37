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

using morvel::document::testing::OwnedDocument;
using morvel::document::testing::TenMegabyteDocument;

morvel::app::RecoveryRecord BenchRecord() {
    morvel::app::RecoveryRecord record;
    record.process = {1, 1};
    record.documentPath = "C:\\figures\\walk.mvl";
    return record;
}

void BM_AutosaveWindowThreadShare(benchmark::State &state) {
    OwnedDocument doc(TenMegabyteDocument({".\\a.x", ".\\b.x"}));
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
    OwnedDocument doc(TenMegabyteDocument({".\\a.x", ".\\b.x"}));
    morvel::document::testing::TempFolder folder;
    morvel::app::OwnedMotionDocument snapshot;
    const std::string path = folder.Path("copy.mvl");
    for (auto _ : state) {
        morvel::document::CopyDocumentReusingTables(snapshot.document, doc.Get(),
                                                    morvel::document::CopyTarget::SetAside);
        benchmark::DoNotOptimize(
            morvel::app::WriteRecoveryCopy(snapshot.document, BenchRecord(), path));
    }
}
BENCHMARK(BM_AutosaveAllOnTheWindowThread)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
