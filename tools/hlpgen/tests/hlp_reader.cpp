#include "hlp_reader.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <set>

namespace hlptest {
namespace {

constexpr uint32_t kFileMagic = 0x00035F3F;
constexpr uint16_t kBTreeMagic = 0x293B;
constexpr size_t kBTreeHeader = 38;
constexpr size_t kTopicBlock = 4096;
constexpr size_t kTopicBlockHeader = 12;
constexpr size_t kTopicBlockData = kTopicBlock - kTopicBlockHeader;
constexpr size_t kRecordHeader = 21;
constexpr uint32_t kNone = 0xFFFFFFFF;

// A cursor that stops at the end of its range: past the end every read
// gives 0 and the cursor stays failed.
class Cursor {
public:
    Cursor(const uint8_t *begin, const uint8_t *end) : at_(begin), end_(end) {}
    explicit Cursor(const Bytes &bytes) : Cursor(bytes.data(), bytes.data() + bytes.size()) {}

    bool Ok() const { return ok_; }
    size_t Left() const { return ok_ ? static_cast<size_t>(end_ - at_) : 0; }
    const uint8_t *Here() const { return at_; }

    bool Need(size_t n) {
        if (!ok_ || static_cast<size_t>(end_ - at_) < n) ok_ = false;
        return ok_;
    }
    uint8_t U8() { return Need(1) ? *at_++ : 0; }
    uint16_t U16() {
        if (!Need(2)) return 0;
        uint16_t v = static_cast<uint16_t>(at_[0] | at_[1] << 8);
        at_ += 2;
        return v;
    }
    uint32_t U32() {
        uint32_t low = U16();
        return low | static_cast<uint32_t>(U16()) << 16;
    }
    std::string CString() {
        const uint8_t *nul = ok_ ? std::find(at_, end_, uint8_t{0}) : end_;
        if (nul == end_) {
            ok_ = false;
            return {};
        }
        std::string s(at_, nul);
        at_ = nul + 1;
        return s;
    }
    std::string Fixed(size_t n) {
        if (!Need(n)) return {};
        std::string s(at_, at_ + n);
        at_ += n;
        return s.substr(0, s.find('\0'));
    }
    void Skip(size_t n) {
        if (Need(n)) at_ += n;
    }
    // The variable-length numbers of paragraph records: one byte (even) or
    // two bytes (odd) for shorts, two or four bytes for longs.
    uint16_t CompressedUShort() {
        if (!Need(1)) return 0;
        return (*at_ & 1) ? static_cast<uint16_t>(U16() / 2) : static_cast<uint16_t>(U8() / 2);
    }
    int32_t CompressedShort() {
        if (!Need(1)) return 0;
        return (*at_ & 1) ? static_cast<int32_t>(U16() / 2) - 0x4000
                          : static_cast<int32_t>(U8() / 2) - 0x40;
    }
    int64_t CompressedLong() {
        if (!Need(2)) return 0;
        return (*at_ & 1) ? static_cast<int64_t>(U32() / 2) - 0x4000000
                          : static_cast<int64_t>(U16() / 2) - 0x4000;
    }

private:
    const uint8_t *at_;
    const uint8_t *end_;
    bool ok_ = true;
};

struct Failure {
    std::string *error;
    bool Fail(const std::string &what) {
        if (error) *error = what;
        return false;
    }
};

// One B+ tree: header, then pages. Leaf entries are handed to `entry`, which
// reads exactly one entry from the cursor.
struct BTree {
    BTreeShape shape;
    uint16_t root = 0;
    const uint8_t *pages = nullptr;
    size_t pageCount = 0;

    const uint8_t *Page(uint16_t n) const {
        return pages + static_cast<size_t>(n) * shape.pageSize;
    }
};

std::optional<BTree> OpenBTree(const Bytes &data, std::string *error) {
    Failure f{error};
    Cursor c(data);
    BTree tree;
    uint16_t magic = c.U16();
    c.U16();  // flags
    tree.shape.pageSize = c.U16();
    tree.shape.structure = c.Fixed(16);
    c.U16();  // must be zero
    c.U16();  // page splits
    tree.root = c.U16();
    c.U16();  // must be -1
    tree.shape.pages = c.U16();
    tree.shape.levels = c.U16();
    tree.shape.entries = c.U32();
    if (!c.Ok() || magic != kBTreeMagic) return f.Fail("not a B-tree"), std::nullopt;
    if (tree.shape.pageSize < 16 || tree.shape.levels == 0 || tree.root >= tree.shape.pages ||
        c.Left() < static_cast<size_t>(tree.shape.pages) * tree.shape.pageSize)
        return f.Fail("B-tree pages do not fit"), std::nullopt;
    tree.pages = c.Here();
    tree.pageCount = tree.shape.pages;
    return tree;
}

using EntryReader = std::function<bool(Cursor &)>;

bool WalkLeaves(const BTree &tree, const EntryReader &entry, std::string *error) {
    Failure f{error};
    uint16_t page = tree.root;
    for (int level = 1; level < tree.shape.levels; ++level) {
        Cursor c(tree.Page(page), tree.Page(page) + tree.shape.pageSize);
        c.Skip(4);
        page = c.U16();  // first child
        if (page >= tree.pageCount) return f.Fail("index page names no page");
    }
    std::set<uint16_t> seen;
    uint32_t count = 0;
    while (page != 0xFFFF) {
        if (page >= tree.pageCount || !seen.insert(page).second)
            return f.Fail("leaf chain leaves the tree");
        Cursor c(tree.Page(page), tree.Page(page) + tree.shape.pageSize);
        c.U16();  // unused bytes
        int16_t entries = static_cast<int16_t>(c.U16());
        c.U16();  // previous page
        uint16_t next = c.U16();
        for (int i = 0; i < entries; ++i, ++count)
            if (!entry(c) || !c.Ok()) return f.Fail("leaf entry runs off its page");
        page = next;
    }
    if (count != tree.shape.entries) return f.Fail("B-tree holds another number of entries");
    return true;
}

// compare reads one stored key and orders it against the key looked for;
// skipData steps over the rest of a leaf entry.
std::optional<Cursor> SearchLeaf(const BTree &tree, const std::function<int(Cursor &)> &compare,
                                 const std::function<void(Cursor &)> &skipData) {
    uint16_t page = tree.root;
    for (int level = 1; level < tree.shape.levels; ++level) {
        if (page >= tree.pageCount) return std::nullopt;
        Cursor c(tree.Page(page), tree.Page(page) + tree.shape.pageSize);
        c.Skip(2);
        int16_t entries = static_cast<int16_t>(c.U16());
        uint16_t child = c.U16();
        for (int i = 0; i < entries && c.Ok(); ++i) {
            if (compare(c) > 0) break;  // this entry's key is above the one looked for
            child = c.U16();
        }
        page = child;
    }
    if (page >= tree.pageCount) return std::nullopt;
    Cursor c(tree.Page(page), tree.Page(page) + tree.shape.pageSize);
    c.Skip(2);
    int16_t entries = static_cast<int16_t>(c.U16());
    c.Skip(4);
    for (int i = 0; i < entries && c.Ok(); ++i) {
        int order = compare(c);
        if (order == 0) return c;
        if (order > 0) break;
        skipData(c);
    }
    return std::nullopt;
}

std::optional<BTree> TreeOf(const HelpFile &help, const std::string &name) {
    const InternalFile *file = help.File(name);
    if (!file) return std::nullopt;
    return OpenBTree(file->data, nullptr);
}

// Keywords sort with single-byte letters folded to upper case.
int CompareKeywords(const std::string &a, const std::string &b) {
    auto fold = [](const std::string &s) {
        std::string folded;
        for (size_t i = 0; i < s.size(); ++i) {
            unsigned char ch = static_cast<unsigned char>(s[i]);
            bool lead = (ch >= 0x81 && ch <= 0x9F) || (ch >= 0xE0 && ch <= 0xFC);
            if (lead && i + 1 < s.size()) {
                folded += s.substr(i, 2);
                ++i;
            } else {
                folded += static_cast<char>(ch >= 'a' && ch <= 'z' ? ch - 32 : ch);
            }
        }
        return folded;
    };
    std::string fa = fold(a), fb = fold(b);
    int order = fa.compare(fb);
    return order != 0 ? order : a.compare(b);
}

bool ReadDirectory(const Bytes &bytes, uint32_t start, HelpFile &help, std::string *error) {
    Failure f{error};
    Cursor header(bytes.data() + start, bytes.data() + bytes.size());
    uint64_t reserved = header.U32(), used = header.U32();
    header.U8();
    if (!header.Ok() || used + 9 > reserved || header.Left() < used)
        return f.Fail("directory header is damaged");
    Bytes directory(header.Here(), header.Here() + used);
    std::optional<BTree> tree = OpenBTree(directory, error);
    if (!tree) return false;
    help.directoryShape = tree->shape;
    std::vector<std::pair<std::string, uint32_t>> entries;
    if (!WalkLeaves(
            *tree,
            [&](Cursor &c) {
                std::string name = c.CString();
                entries.emplace_back(name, c.U32());
                return c.Ok();
            },
            error))
        return false;
    for (const auto &[name, offset] : entries) {
        Cursor file(bytes);
        file.Skip(offset);
        uint64_t fileReserved = file.U32(), fileUsed = file.U32();
        file.U8();
        if (!file.Ok() || fileUsed + 9 > fileReserved || file.Left() < fileUsed ||
            uint64_t{offset} + fileReserved > bytes.size())
            return f.Fail("internal file " + name + " does not fit");
        help.files.push_back({name, offset, Bytes(file.Here(), file.Here() + fileUsed)});
    }
    return true;
}

bool ReadSystem(const HelpFile &help, SystemInfo &system, std::string *error) {
    Failure f{error};
    const InternalFile *file = help.File("|SYSTEM");
    if (!file) return f.Fail("no |SYSTEM");
    Cursor c(file->data);
    system.magic = c.U16();
    system.minor = c.U16();
    system.major = c.U16();
    c.U32();  // generation date
    system.flags = c.U16();
    while (c.Ok() && c.Left() >= 4) {
        uint16_t kind = c.U16(), size = c.U16();
        if (!c.Need(size)) break;
        Bytes data(c.Here(), c.Here() + size);
        c.Skip(size);
        Cursor d(data);
        switch (kind) {
            case 1:
                system.title = d.CString();
                break;
            case 3:
                system.contents = d.U32();
                break;
            case 9:
                d.Skip(8);
                system.lcid = d.U16();
                break;
            case 11:
                system.charset = d.U16();
                break;
            case 12:
                d.Skip(2);
                system.dialogFont = d.CString();
                break;
            default:
                break;
        }
        if (!d.Ok()) return f.Fail("|SYSTEM record " + std::to_string(kind) + " is short");
    }
    if (!c.Ok() || c.Left() != 0) return f.Fail("|SYSTEM records do not fill the file");
    return true;
}

bool ReadFonts(const HelpFile &help, std::vector<Font> &fonts, std::string *error) {
    Failure f{error};
    const InternalFile *file = help.File("|FONT");
    if (!file) return f.Fail("no |FONT");
    Cursor c(file->data);
    uint16_t faces = c.U16(), descriptors = c.U16(), faceAt = c.U16(), descriptorAt = c.U16();
    if (!c.Ok() || faces == 0 || descriptorAt < faceAt) return f.Fail("|FONT header is damaged");
    size_t faceSize = (descriptorAt - faceAt) / faces;
    for (uint16_t i = 0; i < descriptors; ++i) {
        Cursor d(file->data);
        d.Skip(descriptorAt + i * 11u);
        Font font;
        font.attributes = d.U8();
        font.halfPoints = d.U8();
        font.family = d.U8();
        uint16_t face = d.U16();
        if (!d.Ok() || face >= faces) return f.Fail("|FONT descriptor is damaged");
        Cursor name(file->data);
        name.Skip(faceAt + face * faceSize);
        font.face = name.Fixed(faceSize);
        if (!name.Ok()) return f.Fail("|FONT face name runs off the file");
        fonts.push_back(font);
    }
    return true;
}

bool ReadParagraph(const Bytes &data1, const Bytes &data2, uint32_t dataLength2, Paragraph &out,
                   std::string *error) {
    Failure f{error};
    Cursor c(data1);
    c.CompressedLong();  // size of the formatting data
    uint16_t textLength = c.CompressedUShort();
    if (textLength != dataLength2 || data2.size() != dataLength2)
        return f.Fail("paragraph text length disagrees with its record");
    c.Skip(4);  // two bytes of unknown meaning and a paragraph id
    out.formatBits = c.U16();
    if (out.formatBits & 0x0001) c.CompressedLong();
    for (uint16_t bit : {0x0002, 0x0004, 0x0008, 0x0010, 0x0020, 0x0040})
        if (out.formatBits & bit) c.CompressedShort();
    if (out.formatBits & 0x0100) c.Skip(3);
    if (out.formatBits & 0x0200) {
        int32_t stops = c.CompressedShort();
        if (stops < 0 || stops > 32) return f.Fail("paragraph has a bad tab list");
        for (int32_t i = 0; i < stops; ++i)
            if (c.CompressedUShort() & 0x4000) c.CompressedUShort();
    }
    Cursor text(data2);
    Link *open = nullptr;
    for (;;) {
        std::string piece = text.CString();
        uint8_t command = c.U8();
        if (!c.Ok() || !text.Ok()) return f.Fail("paragraph commands and texts do not match");
        out.text += piece;
        if (open) open->text += piece;
        switch (command) {
            case 0x80:
                out.fonts.push_back(c.U16());
                break;
            case 0x81:
                out.text += '\n';
                break;
            case 0x82:
                break;
            case 0x83:
                out.text += '\t';
                break;
            case 0x89:
                if (!open) return f.Fail("hotspot end without a hotspot");
                open = nullptr;
                break;
            case 0x8B:
                out.text += ' ';
                break;
            case 0xE2:
            case 0xE3:
                if (open) return f.Fail("hotspot inside a hotspot");
                out.links.push_back({command, c.U32(), {}});
                open = &out.links.back();
                break;
            case 0xFF:
                if (c.Left() != 0 || text.Left() != 0)
                    return f.Fail("paragraph data follows its end");
                return c.Ok();
            default:
                return f.Fail("unknown paragraph command " + std::to_string(command));
        }
    }
}

bool ReadTopics(HelpFile &help, std::string *error) {
    Failure f{error};
    const InternalFile *file = help.File("|TOPIC");
    if (!file) return f.Fail("no |TOPIC");
    const Bytes &raw = file->data;
    size_t blocks = (raw.size() + kTopicBlock - 1) / kTopicBlock;
    Bytes stream;  // the block data without the block headers
    for (size_t b = 0; b < blocks; ++b) {
        Cursor c(raw.data() + b * kTopicBlock, raw.data() + raw.size());
        TopicBlockHeader h{c.U32(), c.U32(), c.U32()};
        if (!c.Ok()) return f.Fail("topic block header is short");
        help.blocks.push_back(h);
        size_t take = std::min(kTopicBlockData, c.Left());
        stream.insert(stream.end(), c.Here(), c.Here() + take);
    }
    auto streamAt = [&](uint32_t pos) -> std::optional<size_t> {
        size_t block = pos >> 14, offset = pos & 0x3FFF;
        if (offset < kTopicBlockHeader || offset - kTopicBlockHeader >= kTopicBlockData)
            return std::nullopt;
        size_t at = block * kTopicBlockData + offset - kTopicBlockHeader;
        return at < stream.size() ? std::optional<size_t>(at) : std::nullopt;
    };

    uint32_t pos = kTopicBlockHeader;
    size_t previousAt = 0, currentBlock = SIZE_MAX;
    uint32_t characters = 0;
    bool first = true;
    Topic *topic = nullptr;
    while (pos != kNone) {
        std::optional<size_t> at = streamAt(pos);
        if (!at || (!first && *at <= previousAt)) return f.Fail("topic record chain goes astray");
        first = false;
        previousAt = *at;
        Cursor c(stream.data() + *at, stream.data() + stream.size());
        uint32_t size = c.U32(), length2 = c.U32();
        c.U32();  // previous record
        uint32_t next = c.U32(), length1 = c.U32();
        uint8_t kind = c.U8();
        if (!c.Ok() || length1 < kRecordHeader || size < length1 || !c.Need(size - kRecordHeader))
            return f.Fail("topic record is damaged");
        Bytes data1(c.Here(), c.Here() + (length1 - kRecordHeader));
        Bytes data2(c.Here() + (length1 - kRecordHeader), c.Here() + (size - kRecordHeader));
        size_t block = *at / kTopicBlockData;
        if ((*at + size - 1) / kTopicBlockData != block) ++help.recordsCrossingBlocks;
        if (block != currentBlock) {
            currentBlock = block;
            characters = 0;
        }
        uint32_t topicOffset = static_cast<uint32_t>(block * 0x8000 + characters);

        if (kind == 0x02) {
            Cursor h(data1);
            h.U32();  // size
            h.U32();  // browse back
            h.U32();  // browse forward
            Topic t;
            t.number = h.U32();
            t.nonScroll = h.U32();
            t.scroll = h.U32();
            t.nextTopic = h.U32();
            if (!h.Ok()) return f.Fail("topic header is short");
            t.topicPos = pos;
            t.topicOffset = topicOffset;
            t.title.assign(data2.begin(), data2.end());
            help.topics.push_back(t);
            topic = &help.topics.back();
        } else if (kind == 0x20) {
            if (!topic) return f.Fail("paragraph before the first topic");
            Paragraph p;
            if (!ReadParagraph(data1, data2, length2, p, error)) return false;
            topic->paragraphs.push_back(p);
            characters += length2;
        } else {
            return f.Fail("unknown topic record type " + std::to_string(kind));
        }
        pos = next;
    }
    // The last header closes the file and starts no topic.
    if (help.topics.empty() || !help.topics.back().title.empty() ||
        !help.topics.back().paragraphs.empty())
        return f.Fail("|TOPIC does not end with an empty topic header");
    help.topics.pop_back();
    return true;
}

bool ReadTrees(HelpFile &help, std::string *error) {
    Failure f{error};
    std::optional<BTree> context = TreeOf(help, "|CONTEXT");
    if (!context) return f.Fail("no |CONTEXT tree");
    help.contextShape = context->shape;
    if (!WalkLeaves(
            *context,
            [&](Cursor &c) {
                uint32_t hash = c.U32();
                help.contexts.emplace_back(hash, c.U32());
                return true;
            },
            error))
        return false;

    const InternalFile *map = help.File("|CTXOMAP");
    if (!map) return f.Fail("no |CTXOMAP");
    Cursor m(map->data);
    uint16_t count = m.U16();
    for (uint16_t i = 0; i < count && m.Ok(); ++i) {
        uint32_t number = m.U32();
        help.contextMap[number] = m.U32();
    }
    if (!m.Ok() || m.Left() != 0) return f.Fail("|CTXOMAP is damaged");

    std::optional<BTree> titles = TreeOf(help, "|TTLBTREE");
    if (!titles) return f.Fail("no |TTLBTREE tree");
    if (!WalkLeaves(
            *titles,
            [&](Cursor &c) {
                uint32_t offset = c.U32();
                help.titles.emplace_back(offset, c.CString());
                return true;
            },
            error))
        return false;

    std::optional<BTree> keywords = TreeOf(help, "|KWBTREE");
    const InternalFile *data = help.File("|KWDATA");
    const InternalFile *keywordMap = help.File("|KWMAP");
    if (!keywords || !data || !keywordMap) return f.Fail("keyword files are missing");
    help.keywordShape = keywords->shape;
    if (!WalkLeaves(
            *keywords,
            [&](Cursor &c) {
                Keyword k{c.CString(), {}};
                uint16_t places = c.U16();
                Cursor d(data->data);
                d.Skip(c.U32());
                for (uint16_t i = 0; i < places && d.Ok(); ++i) k.topicOffsets.push_back(d.U32());
                help.keywords.push_back(k);
                return d.Ok();
            },
            error))
        return false;
    Cursor km(keywordMap->data);
    uint16_t leaves = km.U16();
    for (uint16_t i = 0; i < leaves && km.Ok(); ++i) {
        uint32_t firstKeyword = km.U32();
        help.keywordMap.emplace_back(firstKeyword, km.U16());
    }
    if (!km.Ok() || km.Left() != 0) return f.Fail("|KWMAP is damaged");
    return true;
}

}  // namespace

std::string Topic::Text() const {
    std::string all;
    for (const Paragraph &p : paragraphs) all += p.text + "\n";
    return all;
}

const InternalFile *HelpFile::File(const std::string &name) const {
    for (const InternalFile &file : files)
        if (file.name == name) return &file;
    return nullptr;
}

const Topic *HelpFile::TopicAt(uint32_t topicOffset) const {
    for (const Topic &topic : topics)
        if (topic.topicOffset == topicOffset) return &topic;
    return nullptr;
}

const Topic *HelpFile::TopicByNumber(uint32_t mapNumber) const {
    auto it = contextMap.find(mapNumber);
    return it == contextMap.end() ? nullptr : TopicAt(it->second);
}

uint32_t ContextHash(const std::string &name) {
    uint32_t hash = 0;
    for (char ch : name) {
        uint32_t code = 0;
        if (ch >= '1' && ch <= '9')
            code = static_cast<uint32_t>(ch - '0');
        else if (ch == '0')
            code = 10;
        else if (ch == '.')
            code = 12;
        else if (ch == '_')
            code = 13;
        else if (ch >= 'A' && ch <= 'Z')
            code = static_cast<uint32_t>(ch - 'A' + 17);
        else if (ch >= 'a' && ch <= 'z')
            code = static_cast<uint32_t>(ch - 'a' + 17);
        hash = hash * 43 + code;
    }
    return hash;
}

std::optional<HelpFile> ReadHelpFile(const Bytes &bytes, std::string *error) {
    Failure f{error};
    Cursor c(bytes);
    uint32_t magic = c.U32(), directory = c.U32();
    c.U32();  // first free block
    HelpFile help;
    help.declaredSize = c.U32();
    if (!c.Ok() || magic != kFileMagic) return f.Fail("not a help file"), std::nullopt;
    if (help.declaredSize != bytes.size() || directory >= bytes.size())
        return f.Fail("help file size disagrees with its header"), std::nullopt;
    if (!ReadDirectory(bytes, directory, help, error) || !ReadSystem(help, help.system, error) ||
        !ReadFonts(help, help.fonts, error) || !ReadTopics(help, error) || !ReadTrees(help, error))
        return std::nullopt;
    return help;
}

std::optional<Bytes> ReadWholeFile(const std::string &path) {
    FILE *file = std::fopen(path.c_str(), "rb");
    if (!file) return std::nullopt;
    Bytes bytes;
    uint8_t chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + n);
    std::fclose(file);
    return bytes;
}

std::optional<uint32_t> FindContext(const HelpFile &help, uint32_t hash) {
    std::optional<BTree> tree = TreeOf(help, "|CONTEXT");
    if (!tree) return std::nullopt;
    int32_t wanted = static_cast<int32_t>(hash);
    std::optional<Cursor> leaf = SearchLeaf(
        *tree,
        [&](Cursor &c) {
            int32_t key = static_cast<int32_t>(c.U32());
            return key < wanted ? -1 : key > wanted ? 1 : 0;
        },
        [](Cursor &c) { c.Skip(4); });
    if (!leaf) return std::nullopt;
    return leaf->U32();
}

std::optional<uint32_t> FindKeyword(const HelpFile &help, const std::string &word) {
    std::optional<BTree> tree = TreeOf(help, "|KWBTREE");
    const InternalFile *data = help.File("|KWDATA");
    if (!tree || !data) return std::nullopt;
    std::optional<Cursor> leaf = SearchLeaf(
        *tree, [&](Cursor &c) { return CompareKeywords(c.CString(), word); },
        [](Cursor &c) { c.Skip(6); });
    if (!leaf) return std::nullopt;
    uint16_t places = leaf->U16();
    Cursor d(data->data);
    d.Skip(leaf->U32());
    uint32_t first = d.U32();
    if (places == 0 || !d.Ok()) return std::nullopt;
    return first;
}

bool IsCodePage932(const std::string &text) {
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char ch = static_cast<unsigned char>(text[i]);
        if ((ch >= 0x81 && ch <= 0x9F) || (ch >= 0xE0 && ch <= 0xFC)) {
            if (i + 1 >= text.size()) return false;
            unsigned char trail = static_cast<unsigned char>(text[++i]);
            if (trail < 0x40 || trail == 0x7F || trail > 0xFC) return false;
        } else if (ch == 0x80 || ch == 0xA0 || ch >= 0xFD) {
            return false;
        }
    }
    return true;
}

}  // namespace hlptest
