#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "formats/motion/motion_file_writer.h"
#include "test_documents.h"

#if !defined(_WIN32)
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#if defined(__linux__)
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>

#include <functional>
#endif

namespace morvel::formats::motion {
namespace {

using document::testing::DocumentContents;
using document::testing::EncodedBytes;
using document::testing::MakePosition;
using document::testing::OwnedDocument;
using document::testing::ReadBytes;
using document::testing::TempFolder;

// Two motions, one without frames; a frame without positions in between.
DocumentContents SampleContents() {
    DocumentContents contents;
    contents.parts = {".\\body.x", ".\\arm.x"};
    contents.motions = {
        {"empty", "none.wav", {}},
        {"walk", "walk.wav",
         {{"a", {MakePosition(0, 1), MakePosition(1, 2)}}, {"b", {}}, {"c", {MakePosition(1, 3)}}}},
    };
    return contents;
}

std::vector<uint8_t> Unscrambled(std::vector<uint8_t> bytes) {
    for (uint8_t &b : bytes) b ^= 'M';
    return bytes;
}

size_t FilesIn(const std::filesystem::path &folder) {
    size_t count = 0;
    for (const auto &entry : std::filesystem::directory_iterator(folder)) {
        (void)entry;
        ++count;
    }
    return count;
}

TEST(MotionFileWriter, EmptyDocumentIs192BytesAndLoadsBackWithTheSameHeader) {
    TempFolder folder;
    OwnedDocument doc;
    const std::string path = folder.Path("empty.mvl");
    ASSERT_TRUE(WriteMotionFile(*doc, path));
    EXPECT_EQ(ReadBytes(path).size(), 192u);
    OwnedDocument loaded;
    ASSERT_EQ(Mvl_Func_Load(&*loaded, path.c_str(), ""), MVL_LOAD_OK);
    EXPECT_EQ(std::memcmp(&loaded->header, &doc->header, sizeof doc->header), 0);
}

TEST(MotionFileWriter, WriteThenLoadGivesTheSameDocument) {
    TempFolder folder;
    OwnedDocument doc(SampleContents());
    std::strcpy(doc->header.userCode, "secret");
    doc->header.cameraAzimuth = -45;
    doc->header.initialDiffuse.g = 0.75;
    doc->header.reserved64[1] = 2.5;
    const std::string path = folder.Path("sample.mvl");
    ASSERT_TRUE(WriteMotionFile(*doc, path));

    // 2 parts, 2 motions, 3 frames, 3 positions: nothing for the empty ones.
    const std::vector<uint8_t> file = ReadBytes(path);
    EXPECT_EQ(file.size(), 192u + 2 * 66 + 2 * 88 + 3 * 24 + 3 * 128);
    OwnedDocument loaded;
    ASSERT_EQ(Mvl_Func_Load(&*loaded, path.c_str(), "secret"), MVL_LOAD_OK);
    EXPECT_EQ(EncodedBytes(*loaded), EncodedBytes(*doc));
    // Every byte on disk is the plain byte XOR the key 'M'.
    EXPECT_EQ(Unscrambled(file), EncodedBytes(*doc));
}

TEST(MotionFileWriter, ReferenceAndPaddingBytesGoOutAsZero) {
    TempFolder folder;
    OwnedDocument doc(SampleContents());
    doc->motions[1].frames[0].positions[0].padding2[3] = 0x77;
    doc->motions[1].padding18[0] = 0x55;
    doc->header.padding89[2] = 0x33;
    const std::string path = folder.Path("padding.mvl");
    ASSERT_TRUE(WriteMotionFile(*doc, path));
    const std::vector<uint8_t> plain = Unscrambled(ReadBytes(path));
    EXPECT_EQ(plain[89 + 2], 0);
    const size_t motions = 192 + 2 * 66;
    for (size_t m = 0; m < 2; ++m) {
        for (size_t i = 84; i < 88; ++i) EXPECT_EQ(plain[motions + 88 * m + i], 0) << m;
        EXPECT_EQ(plain[motions + 88 * m + 18], 0);
    }
    const size_t frames = motions + 2 * 88;
    for (size_t f = 0; f < 3; ++f) {
        for (size_t i = 20; i < 24; ++i) EXPECT_EQ(plain[frames + 24 * f + i], 0) << f;
    }
    const size_t positions = frames + 3 * 24;
    EXPECT_EQ(plain[positions + 2 + 3], 0);
}

TEST(MotionFileWriter, AnotherVersionIsWrittenAs100) {
    TempFolder folder;
    OwnedDocument doc(SampleContents());
    std::memcpy(doc->header.version, "0.99", 4);
    const std::string path = folder.Path("old.mvl");
    ASSERT_TRUE(WriteMotionFile(*doc, path));
    EXPECT_EQ(std::memcmp(doc->header.version, "1.00", 4), 0);
    OwnedDocument loaded;
    ASSERT_EQ(Mvl_Func_Load(&*loaded, path.c_str(), ""), MVL_LOAD_OK);
    EXPECT_EQ(std::memcmp(loaded->header.version, "1.00", 4), 0);
}

TEST(MotionFileWriter, ReplacesAnExistingFile) {
    TempFolder folder;
    const std::string path = folder.Path("twice.mvl");
    OwnedDocument doc(SampleContents());
    ASSERT_TRUE(WriteMotionFile(*doc, path));
    OwnedDocument empty;
    ASSERT_TRUE(WriteMotionFile(*empty, path));
    EXPECT_EQ(ReadBytes(path).size(), 192u);
    EXPECT_EQ(FilesIn(folder.Root()), 1u);
}

TEST(MotionFileWriter, FailuresReturnFalseAndLeaveTheFolderAsItWas) {
    TempFolder folder;
    OwnedDocument doc(SampleContents());
    EXPECT_FALSE(WriteMotionFile(*doc, folder.Path("missing/sub.mvl")));
    // A folder in the target's place cannot be replaced by a file.
    std::filesystem::create_directory(folder.Path("taken.mvl"));
    EXPECT_FALSE(WriteMotionFile(*doc, folder.Path("taken.mvl")));
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path("taken.mvl")));
    EXPECT_EQ(FilesIn(folder.Root()), 1u);  // no temporary file left behind
}

#if !defined(_WIN32)
// The temporary file's name must not be longer than the target's, or a name
// near the 255-byte limit could be written directly but not saved.
TEST(MotionFileWriter, ATargetNameNearTheLengthLimitCanBeSaved) {
    TempFolder folder;
    const std::string path = folder.Path(std::string(246, 'n') + ".mvl");
    OwnedDocument doc(SampleContents());
    ASSERT_TRUE(WriteMotionFile(*doc, path));
    EXPECT_EQ(ReadBytes(path).size(), 192u + 2 * 66 + 2 * 88 + 3 * 24 + 3 * 128);
    EXPECT_EQ(FilesIn(folder.Root()), 1u);
}

// A file-size limit makes every write past it fail, as a full disk would.
TEST(MotionFileWriter, AFullDiskKeepsThePreviousFile) {
    TempFolder folder;
    const std::string path = folder.Path("keep.mvl");
    OwnedDocument small;
    ASSERT_TRUE(WriteMotionFile(*small, path));
    const std::vector<uint8_t> before = ReadBytes(path);

    DocumentContents big;
    big.parts = {"p.x"};
    big.motions = {{"m", "", {{"f", std::vector<PositionEntry>(20000, MakePosition(0, 1))}}}};
    OwnedDocument doc(big);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto savedHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 64 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const bool written = WriteMotionFile(*doc, path);
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, savedHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(FilesIn(folder.Root()), 1u);
}

TEST(MotionFileWriter, AReadOnlyFolderKeepsThePreviousFile) {
    if (geteuid() == 0) GTEST_SKIP() << "running as root: folder permissions do not stop root";
    TempFolder folder;
    const std::string path = folder.Path("keep.mvl");
    OwnedDocument doc(SampleContents());
    OwnedDocument small;
    ASSERT_TRUE(WriteMotionFile(*small, path));
    ASSERT_EQ(chmod(folder.Root().c_str(), 0555), 0);
    EXPECT_FALSE(WriteMotionFile(*doc, path));
    chmod(folder.Root().c_str(), 0755);
    EXPECT_EQ(ReadBytes(path).size(), 192u);
}
#endif

#if defined(__linux__)
constexpr int kCannotMount = 77;

// Runs steps in a child process with mounts of its own, so that the small
// file systems it mounts are seen by no other process and vanish with it.
// The result is the child's exit status: 0 when every step held, else the
// number of the first failed step, or kCannotMount without the privilege.
int WithPrivateMounts(const std::function<int()> &steps) {
    const pid_t child = fork();
    if (child == 0) {
        if (unshare(CLONE_NEWNS) != 0 ||
            mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            _exit(kCannotMount);
        }
        _exit(steps());
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A 64 KiB file system that fills up, then turns read-only: each save fails
// and leaves the previous file as it was, with no temporary file beside it.
TEST(MotionFileWriter, ATinyFileSystemThatFillsUpOrTurnsReadOnlyKeepsThePreviousFile) {
    TempFolder folder;
    const std::string disk = folder.Path("disk");
    std::filesystem::create_directory(disk);
    DocumentContents big;
    big.parts = {"p.x"};
    big.motions = {{"m", "", {{"f", std::vector<PositionEntry>(2000, MakePosition(0, 1))}}}};
    const int failedStep = WithPrivateMounts([&]() {
        if (mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0) return kCannotMount;
        const std::string path = disk + "/keep.mvl";
        OwnedDocument small;
        if (!WriteMotionFile(*small, path)) return 1;
        const std::vector<uint8_t> before = ReadBytes(path);
        OwnedDocument doc(big);  // 256,000 bytes of positions
        if (WriteMotionFile(*doc, path)) return 2;
        if (ReadBytes(path) != before) return 3;
        if (FilesIn(disk) != 1) return 4;
        if (mount(nullptr, disk.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, "size=64k") != 0) {
            return kCannotMount;
        }
        OwnedDocument other(SampleContents());
        if (WriteMotionFile(*other, path)) return 5;
        if (ReadBytes(path) != before) return 6;
        return 0;
    });
    if (failedStep == kCannotMount) GTEST_SKIP() << "no privilege to mount a file system";
    EXPECT_EQ(failedStep, 0) << "step " << failedStep << " failed";
}
#endif

}  // namespace
}  // namespace morvel::formats::motion
