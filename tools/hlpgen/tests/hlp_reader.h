// Reads a WinHelp file back for the tests, from the published layout of the
// format and without anything of the generator. Every read is bounds-checked:
// a damaged file gives an error text, never a read outside the buffer.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace hlptest {

using Bytes = std::vector<uint8_t>;

struct InternalFile {
    std::string name;
    uint32_t offset = 0;  // of its 9-byte header in the help file
    Bytes data;
};

struct SystemInfo {
    uint16_t magic = 0, minor = 0, major = 0, flags = 0;
    std::string title;
    std::optional<uint32_t> contents;  // topic offset
    std::optional<uint16_t> charset;
    std::optional<uint16_t> lcid;
    std::string dialogFont;
};

struct Font {
    uint8_t attributes = 0, halfPoints = 0, family = 0;
    std::string face;
};

struct Link {
    uint8_t command = 0;  // 0xE2 popup, 0xE3 jump
    uint32_t hash = 0;
    std::string text;
};

struct Paragraph {
    std::string text;  // tabs as '\t'
    uint16_t formatBits = 0;
    std::vector<uint16_t> fonts;
    std::vector<Link> links;
};

struct Topic {
    uint32_t topicPos = 0;
    uint32_t topicOffset = 0;  // computed while walking |TOPIC
    uint32_t number = 0;
    uint32_t nextTopic = 0, scroll = 0, nonScroll = 0;
    std::string title;
    std::vector<Paragraph> paragraphs;
    std::string Text() const;  // all paragraphs, one per line
};

struct TopicBlockHeader {
    uint32_t lastTopicLink = 0, firstTopicLink = 0, lastTopicHeader = 0;
};

struct Keyword {
    std::string word;
    std::vector<uint32_t> topicOffsets;
};

struct BTreeShape {
    uint16_t pageSize = 0, levels = 0, pages = 0;
    uint32_t entries = 0;
    std::string structure;
};

struct HelpFile {
    uint32_t declaredSize = 0;
    std::vector<InternalFile> files;  // in directory order
    BTreeShape directoryShape;
    SystemInfo system;
    std::vector<Font> fonts;
    std::vector<Topic> topics;  // the last, empty topic header is left out
    std::vector<TopicBlockHeader> blocks;
    size_t recordsCrossingBlocks = 0;
    std::vector<std::pair<uint32_t, uint32_t>> contexts;  // hash, topic offset
    BTreeShape contextShape;
    std::map<uint32_t, uint32_t> contextMap;               // map number -> topic offset
    std::vector<std::pair<uint32_t, std::string>> titles;  // topic offset, title
    std::vector<Keyword> keywords;
    BTreeShape keywordShape;
    std::vector<std::pair<uint32_t, uint16_t>> keywordMap;  // first keyword, page

    const InternalFile *File(const std::string &name) const;
    const Topic *TopicAt(uint32_t topicOffset) const;
    const Topic *TopicByNumber(uint32_t mapNumber) const;
};

// The hash by which WinHelp names topics (letters fold case).
uint32_t ContextHash(const std::string &name);

std::optional<HelpFile> ReadHelpFile(const Bytes &bytes, std::string *error);
std::optional<Bytes> ReadWholeFile(const std::string &path);

// Looks a key up the way a viewer does: from the root page down through the
// index pages to one leaf. Returns the topic offset, if the key is there.
std::optional<uint32_t> FindContext(const HelpFile &help, uint32_t hash);
std::optional<uint32_t> FindKeyword(const HelpFile &help, const std::string &word);

// True when every byte sequence is a character of code page 932.
bool IsCodePage932(const std::string &text);

}  // namespace hlptest
