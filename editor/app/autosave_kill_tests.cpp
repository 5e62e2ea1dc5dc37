// Autosaves killed at random moments. Each round a forked child plays an
// editor's autosave: the job runner's thread writes the recovery copy of a
// 10 MB document, and SIGKILL comes somewhere within the time one write
// takes. Whatever the moment, the recovery folder must hold the previous
// copy or the new one byte for byte, and a start afterwards must offer a
// copy that loads. MORVEL_KILL_SEED=<seed> replays a run.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <thread>

#include "app/recovery_copies.h"
#include "app/thread_job_runner.h"
#include "base/file_platform.h"
#include "sanitized_build.h"
#include "test_documents.h"

namespace morvel::app {
namespace {

using document::testing::TenMegabyteDocument;
using document::testing::OwnedDocument;
using SteadyClock = std::chrono::steady_clock;

// The plain build's hundred kills cover the moments; the sanitized build
// checks the same path with fewer.
constexpr int kAutosaveKills = morvel::testing::kSanitizedBuild ? 25 : 100;

// The host's processes, as a start of the editor sees them.
class HostPlatform : public RecoveryPlatform {
public:
    std::string folder;
    std::string RecoveryFolder() override { return folder; }
    ProcessIdentity ThisProcess() override { return {static_cast<unsigned long>(getpid()), 0}; }
    bool ProcessRuns(const ProcessIdentity &process) override {
        return base::platform::ProcessRuns(process.id);
    }
    RecoveryTime LocalTime() override { return {2024, 1, 1, 0, 0, 0}; }
};

// A process id that no process has any more.
pid_t EndedProcess() {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    int status = 0;
    waitpid(child, &status, 0);
    return child;
}

uint32_t AutosaveKillSeed() {
    if (const char *given = std::getenv("MORVEL_KILL_SEED")) {
        return static_cast<uint32_t>(std::strtoul(given, nullptr, 10));
    }
    return std::random_device{}();
}

std::vector<uint8_t> Bytes(const std::string &path) {
    return std::filesystem::exists(path) ? document::testing::ReadBytes(path) : std::vector<uint8_t>{};
}

TEST(AutosaveKill, AKilledAutosaveLeavesTheOldOrTheNewCopyAndOneThatLoads) {
    document::testing::TempFolder folder;
    HostPlatform platform;
    platform.folder = folder.Root().string() + "/";
    // The editor whose autosaves are killed: the copy is its own.
    const ProcessIdentity editor{static_cast<unsigned long>(EndedProcess()), 0};
    const std::string copy = platform.folder + RecoveryCopyName(editor);
    const std::vector<std::string> parts = {".\\body.x", ".\\arm.x"};
    OwnedDocument documents[2] = {OwnedDocument(TenMegabyteDocument(parts, 1)),
                                  OwnedDocument(TenMegabyteDocument(parts, 2))};
    // One autosave, as the editor's job runner does it.
    const auto autosave = [&](int which) {
        RecoveryRecord record;
        record.process = editor;
        record.savedAt = {2024, 1, 1, 0, which, 0};
        ThreadJobRunner runner;
        bool written = false;
        runner.Start([&] { written = WriteRecoveryCopy(documents[which].Get(), record, copy); });
        runner.Wait();
        return written;
    };

    ASSERT_TRUE(autosave(1));
    const std::vector<uint8_t> newBytes = Bytes(copy);
    ASSERT_TRUE(autosave(0));
    const std::vector<uint8_t> oldBytes = Bytes(copy);
    ASSERT_GE(oldBytes.size(), 10000000u);
    const std::vector<uint8_t> *held[2] = {&oldBytes, &newBytes};

    const SteadyClock::time_point start = SteadyClock::now();
    const pid_t measured = fork();
    if (measured == 0) _exit(autosave(0) ? 0 : 1);
    int status = 0;
    waitpid(measured, &status, 0);
    const auto oneWrite =
        std::chrono::duration_cast<std::chrono::microseconds>(SteadyClock::now() - start);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    const uint32_t seed = AutosaveKillSeed();
    std::mt19937 random(seed);
    std::uniform_int_distribution<int64_t> moment(0, oneWrite.count());
    int kills = 0, oldCopies = 0, newCopies = 0, finishedFirst = 0, offeredAndLoaded = 0;
    int holding = 0;
    for (int round = 0; kills < kAutosaveKills && round < 4 * kAutosaveKills &&
                        !::testing::Test::HasFailure();
         ++round) {
        const int writing = 1 - holding;
        const auto delay = std::chrono::microseconds(moment(random));
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) _exit(autosave(writing) ? 0 : 1);
        std::this_thread::sleep_for(delay);
        kill(child, SIGKILL);
        ASSERT_EQ(waitpid(child, &status, 0), child);
        const std::string context = "round " + std::to_string(round) + " after " +
                                    std::to_string(delay.count()) + " us, seed " +
                                    std::to_string(seed);

        const std::vector<uint8_t> now = Bytes(copy);
        const bool old = now == *held[holding];
        ASSERT_TRUE(old || now == *held[writing]) << context << ": neither copy";
        if (WIFEXITED(status)) {
            ++finishedFirst;
        } else {
            ++kills;
            ++(old ? oldCopies : newCopies);
        }
        holding = old ? holding : writing;

        // A start afterwards offers exactly that copy, and it loads.
        const std::vector<RecoveryCandidate> offered = EndedCopies(platform.folder, platform);
        ASSERT_EQ(offered.size(), 1u) << context;
        OwnedDocument loaded;
        ASSERT_EQ(Mvl_Func_Load(&loaded.Get(), offered[0].path.c_str(), ""), MVL_LOAD_OK) << context;
        EXPECT_EQ(offered[0].record.savedAt.minute, holding) << context;
        ++offeredAndLoaded;
    }
    EXPECT_EQ(kills, kAutosaveKills);
    EXPECT_GT(oldCopies, 0) << "the kills must fall inside writes";

    // The next autosave clears what the killed ones left beside the copy.
    ASSERT_TRUE(autosave(0));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Root()), {}), 1);
    std::printf(
        "autosave: %.1f MB copy, one write %lld ms; %d kills: %d left the old copy, %d the new; "
        "%d writes ended first; %d starts offered a copy that loads; seed %u "
        "(MORVEL_KILL_SEED=%u replays)\n",
        oldBytes.size() / 1e6, static_cast<long long>(oneWrite.count() / 1000), kills,
        oldCopies, newCopies, finishedFirst, offeredAndLoaded, seed, seed);
}

}  // namespace
}  // namespace morvel::app
