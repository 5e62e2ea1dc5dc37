#include "document/path_rules.h"

#include <gtest/gtest.h>

namespace morvel::document {
namespace {

TEST(PathRules, MotionFileExtension) {
    EXPECT_EQ(WithMotionFileExtension("C:\\data\\walk"), "C:\\data\\walk.mvl");
    EXPECT_EQ(WithMotionFileExtension("walk.mvl"), "walk.mvl");
    EXPECT_EQ(WithMotionFileExtension("walk.MVL"), "walk.MVL.mvl");
    EXPECT_EQ(WithMotionFileExtension("walk.mvx"), "walk.mvx.mvl");
    EXPECT_EQ(WithMotionFileExtension("abcd"), "abcd");
    EXPECT_EQ(WithMotionFileExtension(".mvl"), ".mvl");
    EXPECT_EQ(WithMotionFileExtension("a.mvl"), "a.mvl");
}

TEST(PathRules, ExportFileExtensionLooksOnlyAtTheFileName) {
    EXPECT_EQ(WithExportFileExtension("C:\\out\\dance"), "C:\\out\\dance.mvx");
    EXPECT_EQ(WithExportFileExtension("C:\\out\\dance.v2.bak"), "C:\\out\\dance.mvx");
    EXPECT_EQ(WithExportFileExtension("C:\\my.folder\\dance"), "C:\\my.folder\\dance.mvx");
    EXPECT_EQ(WithExportFileExtension("/tmp/a.b/c.d"), "/tmp/a.b/c.mvx");
    EXPECT_EQ(WithExportFileExtension("dance."), "dance.mvx");
    // 0x95 0x5C is one character whose second byte looks like a backslash.
    EXPECT_EQ(WithExportFileExtension("C:\\d\\a.\x95\x5C"), "C:\\d\\a.mvx");
    EXPECT_EQ(WithExportFileExtension("C:\\d.e\\\x95\x5C"), "C:\\d.e\\\x95\x5C.mvx");
}

TEST(PathRules, TemporaryFilesSitInTheTargetsFolderWithAShortName) {
    EXPECT_EQ(TemporaryPathBeside("C:\\d.e\\\x95\x5C" + std::string(200, 'n') + ".mvl", 12, 3),
              "C:\\d.e\\~mvl12-3.tmp");
    EXPECT_EQ(TemporaryPathBeside("/tmp/a/walk.mvl", 7, 0), "/tmp/a/~mvl7-0.tmp");
    EXPECT_EQ(TemporaryPathBeside("walk.mvl", 1, 2), "~mvl1-2.tmp");
}

TEST(PathRules, OnlyExactlyOurTemporaryNamesAreRecognised) {
    unsigned long processId = 0;
    EXPECT_TRUE(IsTemporaryFileName("~mvl4242-0.tmp", processId));
    EXPECT_EQ(processId, 4242u);
    EXPECT_TRUE(IsTemporaryFileName("~mvl4294967295-17.tmp", processId));
    EXPECT_EQ(processId, 4294967295u);
    const char *foreign[] = {
        "~mvlX.tmp",        "~mvl12.tmp",      "~mvl12-.tmp",     "~mvl-3.tmp",
        "~mvl012-3.tmp",    "~mvl12-03.tmp",   "~MVL12-3.tmp",    "~mvl12-3.TMP",
        "~mvl12-3.tmp.bak", "x~mvl12-3.tmp",   "~mvl12-3.tmpx",   "~mvl4294967296-1.tmp",
        "~WRL0001.tmp",     "walk.mvl",        "~mvl12-3",        "",
    };
    for (const char *name : foreign) {
        EXPECT_FALSE(IsTemporaryFileName(name, processId)) << name;
    }
}

}  // namespace
}  // namespace morvel::document
