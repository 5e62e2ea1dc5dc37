#include <gtest/gtest.h>

#include "base/cp932_text.h"
#include "base/windows_path.h"

namespace morvel::base {
namespace {

// 0x95 0x5C (表) and 0x83 0x5C (ソ) end in the byte of '\'.
const std::string kTable = "\x95\x5C";
const std::string kSo = "\x83\x5C";

TEST(Cp932Text, CutsNeverSplitACharacter) {
    EXPECT_EQ(Cp932PrefixLength("ab" + kTable + "c", 3), 2u);
    EXPECT_EQ(Cp932PrefixLength("ab" + kTable + "c", 4), 4u);
    EXPECT_EQ(Cp932PrefixLength("abc", 0), 0u);
    // A lead byte that ends the text is a character of its own.
    EXPECT_EQ(Cp932PrefixLength("ab\x95", 3), 3u);
}

TEST(Cp932Text, SecondBytesAreNeverSeparators) {
    EXPECT_EQ(Cp932FindLastOf("C:\\d\\" + kTable, "\\"), 4u);
    EXPECT_EQ(Cp932FindLastOf(kSo + kTable, "\\"), std::string::npos);
    EXPECT_EQ(Cp932FindLastOf("a:b\\c", "\\:"), 3u);
    EXPECT_EQ(FileNameStart("C:\\" + kTable + "\\" + kSo + ".x"), 6u);
    EXPECT_EQ(FileNameStart("dir/" + kSo), 4u);
    EXPECT_EQ(FileNameStart(kSo), 0u);
#if !defined(_WIN32)
    EXPECT_EQ(HostPath(".\\" + kTable + "\\" + kSo + ".x"), "./" + kTable + "/" + kSo + ".x");
#else
    EXPECT_EQ(HostPath(".\\" + kTable), ".\\" + kTable);
#endif
}

}  // namespace
}  // namespace morvel::base
