// A help file far larger than the editor's (400 topics): trees with index
// pages, records that run across topic blocks, keywords shared by many
// topics. And damaged copies of it, which the reader must refuse cleanly.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>

#include "hlp_reader.h"

namespace {

using hlptest::HelpFile;

constexpr int kTopics = 400;

const hlptest::Bytes &LargeBytes() {
    static const hlptest::Bytes bytes =
        hlptest::ReadWholeFile(MORVEL_LARGE_HELP_FILE).value_or(hlptest::Bytes{});
    return bytes;
}

const HelpFile &Large() {
    static const HelpFile help = [] {
        std::string error;
        std::optional<HelpFile> parsed = hlptest::ReadHelpFile(LargeBytes(), &error);
        if (!parsed) ADD_FAILURE() << MORVEL_LARGE_HELP_FILE << ": " << error;
        return parsed.value_or(HelpFile{});
    }();
    return help;
}

std::string Number(int i) {
    return std::to_string(i);
}

TEST(LargeHelpFile, NeedsIndexPagesAndBlockCrossings) {
    EXPECT_GE(Large().contextShape.levels, 2);
    EXPECT_GE(Large().keywordShape.pages, 2);
    EXPECT_GT(Large().keywordMap.size(), 1u);
    EXPECT_GT(Large().blocks.size(), 20u);
    EXPECT_GT(Large().recordsCrossingBlocks, 10u);
}

TEST(LargeHelpFile, EveryTopicComesBackWholeThroughItsNumberAndItsName) {
    ASSERT_EQ(Large().topics.size(), static_cast<size_t>(kTopics));
    for (int i = 0; i < kTopics; ++i) {
        const hlptest::Topic *byNumber = Large().TopicByNumber(20000 + i);
        ASSERT_NE(byNumber, nullptr) << i;
        EXPECT_EQ(byNumber->title, "項目" + Number(i) + "の説明");
        EXPECT_EQ(hlptest::FindContext(Large(), hlptest::ContextHash("topic_" + Number(i))),
                  byNumber->topicOffset)
            << i;
        std::string text = byNumber->Text();
        EXPECT_NE(text.find("第" + Number(i) + "節"), std::string::npos) << i;
        EXPECT_NE(text.find("項目" + Number(i) + "の本文、" + Number(i % 9) + "番目"),
                  std::string::npos)
            << i;
        EXPECT_NE(text.find("キー" + Number(i) + "\t働き" + Number(i)), std::string::npos) << i;
        EXPECT_NE(text.find("終わり" + Number(i) + "。"), std::string::npos) << i;
        EXPECT_TRUE(hlptest::IsCodePage932(text)) << i;
    }
}

TEST(LargeHelpFile, TopicOffsetsAreDistinctAndLinksLandOnTheirTargets) {
    std::set<uint32_t> offsets;
    for (const hlptest::Topic &topic : Large().topics) offsets.insert(topic.topicOffset);
    EXPECT_EQ(offsets.size(), static_cast<size_t>(kTopics));
    for (int i = 0; i < kTopics; ++i) {
        const hlptest::Topic *topic = Large().TopicByNumber(20000 + i);
        ASSERT_NE(topic, nullptr);
        std::vector<uint32_t> targets;
        for (const hlptest::Paragraph &p : topic->paragraphs)
            for (const hlptest::Link &link : p.links) {
                std::optional<uint32_t> offset = hlptest::FindContext(Large(), link.hash);
                ASSERT_TRUE(offset.has_value()) << i;
                targets.push_back(*offset);
            }
        ASSERT_EQ(targets.size(), 2u) << i;
        EXPECT_EQ(targets[0], Large().TopicByNumber(20000 + (i + 1) % kTopics)->topicOffset);
        EXPECT_EQ(targets[1], Large().TopicByNumber(20000 + i * 7 % kTopics)->topicOffset);
    }
}

TEST(LargeHelpFile, SharedAndSingleKeywordsAreFoundThroughTheIndexPages) {
    const hlptest::Keyword *common = nullptr;
    for (const hlptest::Keyword &k : Large().keywords)
        if (k.word == "共通") common = &k;
    ASSERT_NE(common, nullptr);
    EXPECT_EQ(common->topicOffsets.size(), static_cast<size_t>(kTopics));
    for (int i = 0; i < 300; ++i) {
        char word[16];
        std::snprintf(word, sizeof word, "語%03d", i);
        EXPECT_EQ(hlptest::FindKeyword(Large(), word),
                  Large().TopicByNumber(20000 + i)->topicOffset)
            << word;
    }
    EXPECT_TRUE(hlptest::FindKeyword(Large(), "Word3").has_value());
    uint32_t first = 0;
    for (const auto &[firstKeyword, page] : Large().keywordMap) {
        EXPECT_GE(firstKeyword, first);
        first = firstKeyword;
    }
}

TEST(DamagedHelpFile, EveryTruncationIsRefusedWithAReason) {
    const hlptest::Bytes &whole = LargeBytes();
    ASSERT_GT(whole.size(), 100000u);
    for (size_t size = 0; size < whole.size(); size += size < 256 ? 1 : 997) {
        hlptest::Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
        if (size >= 16) {  // the header claims the cut size, so reading goes on into the files
            for (int i = 0; i < 4; ++i) cut[12 + i] = static_cast<uint8_t>(size >> (8 * i));
        }
        std::string error;
        EXPECT_FALSE(hlptest::ReadHelpFile(cut, &error).has_value()) << size;
        EXPECT_FALSE(error.empty()) << size;
    }
}

TEST(DamagedHelpFile, OverwrittenBytesNeverLeadOutsideTheFile) {
    // Each damaged copy either still reads or is refused; none may make the
    // reader leave its buffer, loop or allocate without end.
    hlptest::Bytes copy = LargeBytes();
    ASSERT_FALSE(copy.empty());
    uint32_t state = 12345;
    for (int round = 0; round < 300; ++round) {
        hlptest::Bytes damaged = copy;
        for (int hit = 0; hit < 4; ++hit) {
            state = state * 1103515245 + 12345;
            damaged[state % damaged.size()] = static_cast<uint8_t>(state >> 24);
        }
        std::string error;
        hlptest::ReadHelpFile(damaged, &error);
    }
}

}  // namespace
