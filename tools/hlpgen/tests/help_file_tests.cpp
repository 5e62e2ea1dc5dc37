// The help file the editor ships, read back: what WinHelpA's callers ask of
// it (contexts 10000 and 10100 to 10102, the keyword "目次") and what the
// pages say, in the program's own menu and button texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "hlp_reader.h"

namespace {

using hlptest::HelpFile;
using hlptest::Topic;

const HelpFile &Help() {
    static const HelpFile help = [] {
        std::optional<hlptest::Bytes> bytes = hlptest::ReadWholeFile(MORVEL_HELP_FILE);
        if (!bytes) ADD_FAILURE() << "cannot read " << MORVEL_HELP_FILE;
        std::string error;
        std::optional<HelpFile> parsed =
            hlptest::ReadHelpFile(bytes.value_or(hlptest::Bytes{}), &error);
        if (!parsed) ADD_FAILURE() << MORVEL_HELP_FILE << ": " << error;
        return parsed.value_or(HelpFile{});
    }();
    return help;
}

const Topic &TopicOf(uint32_t mapNumber) {
    static const Topic none;
    const Topic *topic = Help().TopicByNumber(mapNumber);
    EXPECT_NE(topic, nullptr) << "context number " << mapNumber;
    return topic ? *topic : none;
}

void ExpectMentions(const Topic &topic, const std::vector<std::string> &texts) {
    std::string all = topic.Text();
    for (const std::string &text : texts)
        EXPECT_NE(all.find(text), std::string::npos) << topic.title << " lacks " << text;
}

TEST(HelpFile, DirectoryListsEveryInternalFileInByteOrder) {
    std::vector<std::string> names;
    for (const auto &file : Help().files) names.push_back(file.name);
    EXPECT_EQ(names,
              (std::vector<std::string>{"|CONTEXT", "|CTXOMAP", "|FONT", "|KWBTREE", "|KWDATA",
                                        "|KWMAP", "|SYSTEM", "|TOPIC", "|TTLBTREE"}));
    EXPECT_EQ(Help().directoryShape.pageSize, 1024);
    EXPECT_EQ(Help().directoryShape.structure, "z4");
}

TEST(HelpFile, SystemNamesAJapaneseWinHelp4File) {
    const hlptest::SystemInfo &s = Help().system;
    EXPECT_EQ(s.magic, 0x036C);
    EXPECT_EQ(s.major, 1);
    EXPECT_EQ(s.minor, 33);  // 4.0
    EXPECT_EQ(s.flags, 0);   // 4 KiB topic blocks, not compressed
    EXPECT_EQ(s.title, "Morvel ヘルプ");
    EXPECT_EQ(s.charset, 128);  // SHIFTJIS_CHARSET
    EXPECT_EQ(s.lcid, 0x0411);
    EXPECT_EQ(s.dialogFont, "ＭＳ ゴシック");
    ASSERT_TRUE(s.contents.has_value());
    EXPECT_EQ(*s.contents, TopicOf(10000).topicOffset);
}

TEST(HelpFile, FontsUseAJapaneseFaceAndEveryParagraphNamesOneOfThem) {
    ASSERT_FALSE(Help().fonts.empty());
    for (const hlptest::Font &font : Help().fonts) {
        EXPECT_EQ(font.face, "ＭＳ ゴシック");
        EXPECT_GE(font.halfPoints, 18);
    }
    for (const Topic &topic : Help().topics)
        for (const hlptest::Paragraph &p : topic.paragraphs)
            for (uint16_t font : p.fonts) EXPECT_LT(font, Help().fonts.size()) << topic.title;
}

TEST(HelpFile, ContextNumbersOpenTheContentsAndThePopups) {
    EXPECT_EQ(Help().contextMap.size(), 4u);
    EXPECT_EQ(TopicOf(10000).title, "Morvelの使い方");
    EXPECT_EQ(TopicOf(10100).title, "メニュー");
    EXPECT_EQ(TopicOf(10101).title, "ツールバー");
    EXPECT_EQ(TopicOf(10102).title, "ステータスバー");
}

TEST(HelpFile, ContextNamesAndLinksResolveThroughTheHashTree) {
    EXPECT_EQ(hlptest::FindContext(Help(), hlptest::ContextHash("contents")),
              TopicOf(10000).topicOffset);
    EXPECT_EQ(hlptest::FindContext(Help(), hlptest::ContextHash("menu_help")),
              TopicOf(10100).topicOffset);
    size_t links = 0;
    for (const Topic &topic : Help().topics)
        for (const hlptest::Paragraph &p : topic.paragraphs)
            for (const hlptest::Link &link : p.links) {
                ++links;
                std::optional<uint32_t> target = hlptest::FindContext(Help(), link.hash);
                ASSERT_TRUE(target.has_value()) << topic.title << ": " << link.text;
                EXPECT_NE(Help().TopicAt(*target), nullptr);
            }
    EXPECT_GE(links, 4u);
    std::vector<std::pair<uint32_t, uint32_t>> sorted = Help().contexts;
    std::sort(sorted.begin(), sorted.end(), [](auto a, auto b) {
        return static_cast<int32_t>(a.first) < static_cast<int32_t>(b.first);
    });
    EXPECT_EQ(sorted, Help().contexts) << "|CONTEXT is ordered by signed hash";
}

TEST(HelpFile, KeywordsLeadToTheirTopics) {
    for (const char *word :
         {"目次", "キー操作", "マウス", "元に戻す", "ファイル", "ユーザ識別コード"})
        EXPECT_EQ(hlptest::FindKeyword(Help(), word), TopicOf(10000).topicOffset) << word;
    EXPECT_EQ(hlptest::FindKeyword(Help(), "メニュー"), TopicOf(10100).topicOffset);
    EXPECT_EQ(hlptest::FindKeyword(Help(), "ツールバー"), TopicOf(10101).topicOffset);
    EXPECT_FALSE(hlptest::FindKeyword(Help(), "存在しない語").has_value());
    ASSERT_EQ(Help().keywordMap.size(), 1u);
    EXPECT_EQ(Help().keywordMap[0], (std::pair<uint32_t, uint16_t>{0, 0}));
}

TEST(HelpFile, TitleTreeNamesEveryTopic) {
    ASSERT_EQ(Help().titles.size(), Help().topics.size());
    for (const auto &[offset, title] : Help().titles) {
        const Topic *topic = Help().TopicAt(offset);
        ASSERT_NE(topic, nullptr) << title;
        EXPECT_EQ(topic->title, title);
    }
}

TEST(HelpFile, TopicRecordsChainAndNumberTheTopics) {
    const std::vector<Topic> &topics = Help().topics;
    ASSERT_EQ(topics.size(), 4u);
    for (size_t i = 0; i < topics.size(); ++i) {
        EXPECT_EQ(topics[i].number, i);
        EXPECT_EQ(topics[i].nonScroll, 0xFFFFFFFFu);
        EXPECT_NE(topics[i].scroll, 0xFFFFFFFFu);
        if (i + 1 < topics.size()) {
            EXPECT_EQ(topics[i].nextTopic, topics[i + 1].topicPos);
        }
    }
    ASSERT_FALSE(Help().blocks.empty());
    EXPECT_EQ(Help().blocks[0].firstTopicLink, 12u);
    EXPECT_EQ(Help().blocks[0].lastTopicLink, 0xFFFFFFFFu);
}

TEST(HelpFile, EveryTextIsCodePage932AndEveryPageStartsWithItsTitle) {
    for (const Topic &topic : Help().topics) {
        EXPECT_TRUE(hlptest::IsCodePage932(topic.title)) << topic.title;
        ASSERT_FALSE(topic.paragraphs.empty());
        EXPECT_EQ(topic.paragraphs.front().text, topic.title);
        EXPECT_TRUE(hlptest::IsCodePage932(topic.Text())) << topic.title;
    }
    for (const auto &keyword : Help().keywords) EXPECT_TRUE(hlptest::IsCodePage932(keyword.word));
}

TEST(HelpFile, ContentsExplainsTheEditorForDailyUse) {
    ExpectMentions(TopicOf(10000), {".mvl",
                                    ".mvx",
                                    "ユーザ識別コード",
                                    "Xファイル",
                                    "モーション",
                                    "フレーム",
                                    "ポジション",
                                    "フォーカス (F)",
                                    "座標 (P)",
                                    "回転 (R)",
                                    "拡大 (S)",
                                    "Shift",
                                    "上下左右",
                                    "左右のみ",
                                    "上下のみ",
                                    "元に戻す (Ctrl＋Z)",
                                    "やり直し (Ctrl＋Y)",
                                    "50段階",
                                    "ヘッダ (F5)",
                                    "パーツ (F6)",
                                    "モーション (F7)",
                                    "フレーム (F8)",
                                    "ポジション (F9)",
                                    "バージョン",
                                    "最近使ったファイル",
                                    "5件",
                                    "背景色",
                                    "ショートカットを作成",
                                    "確定",
                                    "キャンセル",
                                    "調整",
                                    "初期"});
}

TEST(HelpFile, MenuPopupNamesEveryMenuItem) {
    ExpectMentions(TopicOf(10100), {"新規",
                                    "開く",
                                    "上書き保存",
                                    "名前を付けて保存",
                                    "ショートカットを作成",
                                    "終了",
                                    "グリッド",
                                    "表示",
                                    "カラー",
                                    "背景色",
                                    "ステータス文字",
                                    "ヘッダ (F5)",
                                    "パーツ (F6)",
                                    "モーション (F7)",
                                    "フレーム (F8)",
                                    "ポジション (F9)",
                                    "元に戻す (Ctrl＋Z)",
                                    "やり直し (Ctrl＋Y)",
                                    "戻る",
                                    "次へ",
                                    "フォーカス (F)",
                                    "座標 (P)",
                                    "回転 (R)",
                                    "拡大 (S)",
                                    "マウス動作",
                                    "上下左右",
                                    "左右のみ",
                                    "上下のみ",
                                    "目次",
                                    "索引",
                                    "バージョン"});
}

TEST(HelpFile, ToolbarPopupNamesEveryButtonByItsTooltip) {
    ExpectMentions(TopicOf(10101), {"新規",
                                    "ファイルを開く",
                                    "ファイルを保存",
                                    "閉じる",
                                    "編集：ヘッダ (F5)",
                                    "編集：パーツ (F6)",
                                    "編集：モーション (F7)",
                                    "編集：フレーム (F8)",
                                    "編集：ポジション (F9)",
                                    "シフト：モーション（戻る:Ctrl＋Shift＋M）",
                                    "シフト：モーション（次へ:Shift＋M）",
                                    "シフト：フレーム（戻る:Ctrl＋Shift＋F）",
                                    "シフト：フレーム（次へ:Shift＋F）",
                                    "シフト：ポジション（戻る:Ctrl＋Shift＋P）",
                                    "シフト：ポジション（次へ:Shift＋P）",
                                    "ポジション：フォーカス (F)",
                                    "ポジション：座標 (P)",
                                    "ポジション：回転 (R)",
                                    "ポジション：拡大 (S)",
                                    "マウス：フリー",
                                    "マウス：横移動のみ",
                                    "マウス：縦移動のみ",
                                    "編集：元に戻す (Ctrl＋Z)",
                                    "編集：やり直し (Ctrl＋Y)"});
}

TEST(HelpFile, StatusBarPopupShowsTheThreeTextsOfEveryEditMode) {
    ExpectMentions(
        TopicOf(10102),
        {"View-Rotation-X[…] [↑,↓]", "View-Rotation-Y[…] [←,→]", "View-Scale[…] [Home, End]",
         "Position-X[…] [←,→]", "Position-Y[…] [↑,↓]", "Position-Z[…] [Home, End]",
         "Rotation-X[…] [↑,↓]", "Rotation-Y[…] [←,→]", "Rotation-Z[…] [Home, End]",
         "Scale-X[…] [←,→]", "Scale-Y[…] [↑,↓]", "Scale-Z[…] [Home, End]"});
}

}  // namespace
