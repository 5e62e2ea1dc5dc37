// Saves killed at random moments. A save runs in a forked child that gets
// SIGKILL somewhere within the time one save takes; whatever the moment, the
// target must hold the previous file or the new one, byte for byte, and the
// next save into the folder must work and clear what the killed one left.
// MORVEL_KILL_SEED=<seed> replays a run.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "document/motion_export.h"
#include "formats/motion/motion_file_writer.h"
#include "sanitized_build.h"
#include "test_documents.h"

namespace morvel::document {
namespace {

using testing::DocumentContents;
using testing::MakePosition;
using testing::OwnedDocument;
using testing::TempFolder;
using Clock = std::chrono::steady_clock;

// The plain build's hundred kills cover the moments; the sanitized build
// checks the same path with fewer.
constexpr int kKills = morvel::testing::kSanitizedBuild ? 25 : 100;

// motions x frames x positions records of 128 bytes: 4 x 400 x 110 make
// about 22 MB.
DocumentContents LargeContents(int motions, int frames, int positions, double seed) {
    DocumentContents contents;
    contents.parts = {".\\body.x", ".\\arm.x", ".\\leg.x"};
    for (int m = 0; m < motions; ++m) {
        testing::MotionContents motion{"m" + std::to_string(m), "", {}};
        for (int f = 0; f < frames; ++f) {
            testing::FrameContents frame{"f" + std::to_string(f), {}};
            for (int p = 0; p < positions; ++p) {
                frame.positions.push_back(
                    MakePosition(static_cast<int16_t>(p % 3), seed + m * 1e6 + f * 1e3 + p));
            }
            motion.frames.push_back(std::move(frame));
        }
        contents.motions.push_back(std::move(motion));
    }
    return contents;
}

// Into bytes, whose memory is reused from one kill to the next.
void ReadWhole(const std::string &path, std::vector<uint8_t> &bytes) {
    bytes.clear();
    if (std::FILE *file = std::fopen(path.c_str(), "rb")) {
        std::fseek(file, 0, SEEK_END);
        bytes.resize(static_cast<size_t>(std::ftell(file)));
        std::fseek(file, 0, SEEK_SET);
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
        std::fclose(file);
    }
}

// The temporary files of process id in folder, with their sizes.
std::vector<uintmax_t> TemporariesOf(const TempFolder &folder, pid_t id) {
    const std::string prefix = "~mvl" + std::to_string(id) + "-";
    std::vector<uintmax_t> sizes;
    for (const auto &entry : std::filesystem::directory_iterator(folder.Root())) {
        if (entry.path().filename().string().rfind(prefix, 0) == 0)
            sizes.push_back(entry.file_size());
    }
    return sizes;
}

uint32_t KillSeed() {
    if (const char *given = std::getenv("MORVEL_KILL_SEED")) {
        return static_cast<uint32_t>(std::strtoul(given, nullptr, 10));
    }
    return std::random_device{}();
}

struct KillFigures {
    int kills = 0;            // the child was still running when killed
    int beforeTemporary = 0;  // killed before its temporary file existed
    int midWrite = 0;         // its temporary file was cut short
    int beforeReplace = 0;    // every byte written, the target not yet replaced
    int afterReplace = 0;     // the target already held the new file
    int finishedFirst = 0;    // the save ended before the signal came
};

// save(which, path) writes document 0 or 1 to path. The target starts as
// document 0; each child saves the document the target does not hold.
void KillSaves(const char *what, const std::function<bool(int, const std::string &)> &save,
               KillFigures &figures) {
    TempFolder folder;
    const std::string target = folder.Path("target");
    const std::string other = folder.Path("other");
    const uint32_t seed = KillSeed();

    std::vector<uint8_t> bytes[2];
    EXPECT_TRUE(save(0, target));
    ReadWhole(target, bytes[0]);
    // One save as the kills see it: from the fork to the end of the child.
    const Clock::time_point start = Clock::now();
    const pid_t measured = fork();
    ASSERT_GE(measured, 0);
    if (measured == 0) _exit(save(1, other) ? 0 : 1);
    int measuredStatus = 0;
    ASSERT_EQ(waitpid(measured, &measuredStatus, 0), measured);
    const auto oneSave =
        std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
    ASSERT_TRUE(WIFEXITED(measuredStatus) && WEXITSTATUS(measuredStatus) == 0);
    ReadWhole(other, bytes[1]);
    EXPECT_GE(bytes[0].size(), 20u << 20);
    EXPECT_EQ(bytes[0].size(), bytes[1].size());  // a mix could not show in the size
    EXPECT_NE(bytes[0], bytes[1]);

    std::mt19937 random(seed);
    std::uniform_int_distribution<int64_t> moment(0, oneSave.count());
    int held = 0;
    std::vector<uint8_t> now;
    const Clock::time_point killsStart = Clock::now();
    // Moments near the end may find the save finished: those do not count.
    // On a busy machine a save may also run faster than the one measured,
    // so the rounds may be several times the kills.
    for (int round = 0;
         figures.kills < kKills && round < 4 * kKills && !::testing::Test::HasFailure(); ++round) {
        const int saved = 1 - held;
        const auto delay = std::chrono::microseconds(moment(random));
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) _exit(save(saved, target) ? 0 : 1);
        std::this_thread::sleep_for(delay);
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);

        const std::string context = std::string(what) + ": kill " + std::to_string(round) +
                                    " after " + std::to_string(delay.count()) + " us, seed " +
                                    std::to_string(seed);
        ReadWhole(target, now);
        const bool old = now == bytes[held];
        ASSERT_TRUE(old || now == bytes[saved]) << context << ": the target is neither file";
        const std::vector<uintmax_t> left = TemporariesOf(folder, child);
        if (WIFEXITED(status)) {
            EXPECT_EQ(WEXITSTATUS(status), 0) << context;
            EXPECT_FALSE(old) << context;
            ++figures.finishedFirst;
        } else {
            ++figures.kills;
            if (!old) {
                ++figures.afterReplace;
            } else if (left.empty()) {
                ++figures.beforeTemporary;
            } else if (left.front() < bytes[saved].size()) {
                ++figures.midWrite;
            } else {
                ++figures.beforeReplace;
            }
        }
        held = old ? held : saved;

        // The next save into the folder works and takes the leftover away.
        OwnedDocument small;
        EXPECT_TRUE(formats::motion::WriteMotionFile(*small, other)) << context;
        EXPECT_TRUE(TemporariesOf(folder, child).empty()) << context;
    }
    const auto killsTime =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - killsStart);

    EXPECT_EQ(figures.kills, kKills);

    // A save left to finish replaces the target, and nothing else stays behind.
    EXPECT_TRUE(save(1 - held, target));
    ReadWhole(target, now);
    EXPECT_EQ(now, bytes[1 - held]);
    size_t files = 0;
    for (const auto &entry : std::filesystem::directory_iterator(folder.Root())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 2u);

    std::printf(
        "%s: %.1f MB, one save %lld ms; %d kills: %d before the temporary file, %d mid-write, %d "
        "after the last write, %d after the replace; %d saves ended first; %lld ms in all; seed %u "
        "(MORVEL_KILL_SEED=%u replays)\n",
        what, bytes[0].size() / 1048576.0, static_cast<long long>(oneSave.count() / 1000),
        figures.kills, figures.beforeTemporary, figures.midWrite, figures.beforeReplace,
        figures.afterReplace, figures.finishedFirst, static_cast<long long>(killsTime.count()),
        seed, seed);
    ::testing::Test::RecordProperty("seed", std::to_string(seed));
}

TEST(SaveKill, AKilledSaveLeavesTheOldOrTheNewMotionFile) {
    OwnedDocument first(LargeContents(4, 400, 110, 1.0));
    OwnedDocument second(LargeContents(4, 400, 110, 2.0));
    MotionDocument *documents[2] = {&*first, &*second};
    KillFigures figures;
    KillSaves(
        "motion file",
        [&documents](int which, const std::string &path) {
            return formats::motion::WriteMotionFile(*documents[which], path);
        },
        figures);
    // Most moments fall inside the write: the test must actually cut files.
    EXPECT_GT(figures.midWrite, 0);
}

TEST(SaveKill, AKilledExportLeavesTheOldOrTheNewExportFile) {
    OwnedDocument first(LargeContents(1, 400, 410, 1.0));
    OwnedDocument second(LargeContents(1, 400, 410, 2.0));
    MotionDocument *documents[2] = {&*first, &*second};
    KillFigures figures;
    KillSaves(
        "export file",
        [&documents](int which, const std::string &path) {
            return WriteMotionExport(*documents[which], path, 0);
        },
        figures);
    EXPECT_GT(figures.midWrite, 0);
}

}  // namespace
}  // namespace morvel::document
