#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "base/atomic_file_writer.h"
#include "base/file_platform.h"
#include "base/stale_temporaries.h"
#include "temp_folder.h"

#if !defined(_WIN32)
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace morvel::base {
namespace {

using morvel::testing::TempFolder;
using morvel::testing::WriteBytes;

// The id of a process that has ended.
unsigned long EndedProcessId() {
#if defined(_WIN32)
    return 4294967293u;  // Windows process ids are multiples of four
#else
    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    return static_cast<unsigned long>(child);
#endif
}

std::set<std::string> NamesIn(const TempFolder &folder) {
    std::set<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(folder.Root())) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

std::string Temporary(unsigned long processId, unsigned counter) {
    return "~mvl" + std::to_string(processId) + "-" + std::to_string(counter) + ".tmp";
}

TEST(TemporaryNames, TemporaryFilesSitInTheTargetsFolderWithAShortName) {
    EXPECT_EQ(TemporaryPathBeside("C:\\d.e\\\x95\x5C" + std::string(200, 'n') + ".mvl", 12, 3),
              "C:\\d.e\\~mvl12-3.tmp");
    EXPECT_EQ(TemporaryPathBeside("/tmp/a/walk.mvl", 7, 0), "/tmp/a/~mvl7-0.tmp");
    EXPECT_EQ(TemporaryPathBeside("walk.mvl", 1, 2), "~mvl1-2.tmp");
}

TEST(TemporaryNames, OnlyExactlyOurTemporaryNamesAreRecognised) {
    unsigned long processId = 0;
    EXPECT_TRUE(IsTemporaryFileName("~mvl4242-0.tmp", processId));
    EXPECT_EQ(processId, 4242u);
    EXPECT_TRUE(IsTemporaryFileName("~mvl4294967295-17.tmp", processId));
    EXPECT_EQ(processId, 4294967295u);
    const char *foreign[] = {
        "~mvlX.tmp",        "~mvl12.tmp",    "~mvl12-.tmp",   "~mvl-3.tmp",
        "~mvl012-3.tmp",    "~mvl12-03.tmp", "~MVL12-3.tmp",  "~mvl12-3.TMP",
        "~mvl12-3.tmp.bak", "x~mvl12-3.tmp", "~mvl12-3.tmpx", "~mvl4294967296-1.tmp",
        "~WRL0001.tmp",     "walk.mvl",      "~mvl12-3",      "",
    };
    for (const char *name : foreign) {
        EXPECT_FALSE(IsTemporaryFileName(name, processId)) << name;
    }
}

TEST(StaleTemporaries, OnlyOurFilesOfEndedProcessesAreRemoved) {
    TempFolder folder;
    const unsigned long ended = EndedProcessId();
    ASSERT_FALSE(platform::ProcessRuns(ended));
    ASSERT_TRUE(platform::ProcessRuns(platform::CurrentProcessId()));
    const std::string stale[] = {Temporary(ended, 0), Temporary(ended, 7)};
    const std::string kept[] = {
        Temporary(platform::CurrentProcessId(), 3),  // a save of ours, maybe running now
        "~mvlX.tmp",                                 // not our name
        "~WRL0001.tmp",                              // another program's temporary file
        "~mvl0" + std::to_string(ended) + "-1.tmp",  // not a name we write
        Temporary(ended, 1) + ".bak",
        "walk.mvl",
    };
    for (const std::string &name : stale) WriteBytes(folder.Path(name), {1, 2, 3});
    for (const std::string &name : kept) WriteBytes(folder.Path(name), {4});
    // A folder with our name is not a file we made.
    std::filesystem::create_directory(folder.Path(Temporary(ended, 2)));

    EXPECT_EQ(RemoveStaleTemporaryFiles(folder.Path("")), 2);
    std::set<std::string> expected(std::begin(kept), std::end(kept));
    expected.insert(Temporary(ended, 2));
    EXPECT_EQ(NamesIn(folder), expected);
    EXPECT_EQ(RemoveStaleTemporaryFiles(folder.Path("")), 0);
}

TEST(StaleTemporaries, TheNextSaveIntoTheFolderRemovesThem) {
    TempFolder folder;
    const unsigned long ended = EndedProcessId();
    WriteBytes(folder.Path(Temporary(ended, 0)), std::vector<uint8_t>(1000, 7));
    WriteBytes(folder.Path("~mvlX.tmp"), {1});
    TempFolder elsewhere;
    WriteBytes(elsewhere.Path(Temporary(ended, 0)), {1});

    AtomicFileWriter save(folder.Path("walk.mvl"));
    ASSERT_TRUE(save.Write("MVL1", 4) && save.Commit());
    EXPECT_EQ(NamesIn(folder), (std::set<std::string>{"walk.mvl", "~mvlX.tmp"}));
    // Only the folder saved into is looked at.
    EXPECT_EQ(NamesIn(elsewhere), std::set<std::string>{Temporary(ended, 0)});
}

TEST(StaleTemporaries, AFolderThatCannotBeReadRemovesNothing) {
    TempFolder folder;
    EXPECT_EQ(RemoveStaleTemporaryFiles(folder.Path("missing/")), 0);
}

}  // namespace
}  // namespace morvel::base
