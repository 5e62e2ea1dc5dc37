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

}  // namespace
}  // namespace morvel::document
