#include "formats/xfile/binary_tokenizer.h"

#include <cstdio>
#include <cstring>

#include "formats/xfile/x_limits.h"

namespace morvel::formats::xfile {
namespace {

// Token ids of the binary format.
constexpr uint16_t kName = 1;
constexpr uint16_t kString = 2;
constexpr uint16_t kInteger = 3;
constexpr uint16_t kGuid = 5;
constexpr uint16_t kIntegerList = 6;
constexpr uint16_t kFloatList = 7;
constexpr uint16_t kOpenBrace = 10;
constexpr uint16_t kCloseBrace = 11;
constexpr uint16_t kFirstPunctuation = 12;  // ( ) [ ] < > .
constexpr uint16_t kLastPunctuation = 18;
constexpr uint16_t kComma = 19;
constexpr uint16_t kSemicolon = 20;
constexpr uint16_t kTemplate = 31;
constexpr uint16_t kFirstTypeKeyword = 40;  // WORD DWORD FLOAT ... ARRAY
constexpr uint16_t kLastTypeKeyword = 53;

uint32_t LoadU32(const uint8_t *p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

float LoadFloat(const uint8_t *p, unsigned size) {
    if (size == 4) {
        const uint32_t bits = LoadU32(p);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    const uint64_t bits = static_cast<uint64_t>(LoadU32(p)) | static_cast<uint64_t>(LoadU32(p + 4)) << 32;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return static_cast<float>(value);
}

}  // namespace

BinaryTokenizer::BinaryTokenizer(const uint8_t *begin, const uint8_t *end, unsigned floatSize)
    : begin_(begin), pos_(begin), end_(end), floatSize_(floatSize == 8 ? 8 : 4) {}

bool BinaryTokenizer::Fail(const std::string &message) {
    char where[40];
    std::snprintf(where, sizeof where, "offset 0x%llx: ", static_cast<unsigned long long>(pos_ - begin_ + 16));
    error_ = where + message;
    return false;
}

bool BinaryTokenizer::ReadU16(uint16_t &value) {
    if (end_ - pos_ < 2) return Fail("data ends inside a token");
    value = static_cast<uint16_t>(pos_[0] | pos_[1] << 8);
    pos_ += 2;
    return true;
}

bool BinaryTokenizer::ReadU32(uint32_t &value) {
    if (end_ - pos_ < 4) return Fail("data ends inside a token");
    value = LoadU32(pos_);
    pos_ += 4;
    return true;
}

bool BinaryTokenizer::ReadCounted(size_t limit, const char *what, std::string_view &text) {
    uint32_t count = 0;
    if (!ReadU32(count)) return false;
    if (count > limit) return Fail(std::string(what) + " longer than " + std::to_string(limit) + " bytes");
    if (static_cast<uint64_t>(end_ - pos_) < count) return Fail(std::string(what) + " runs past the end of the data");
    text = std::string_view(reinterpret_cast<const char *>(pos_), count);
    pos_ += count;
    return true;
}

bool BinaryTokenizer::PeekTokenId(uint16_t &id) {
    if (end_ - pos_ < 2) return false;
    id = static_cast<uint16_t>(pos_[0] | pos_[1] << 8);
    return true;
}

void BinaryTokenizer::SkipSeparators() {
    uint16_t id = 0;
    while (listLeft_ == 0 && PeekTokenId(id) && (id == kComma || id == kSemicolon)) pos_ += 2;
}

// One token, with list elements handed out one by one and separators kept.
bool BinaryTokenizer::NextRaw(Token &token, uint16_t &id) {
    token = Token{};
    if (listLeft_ > 0) {
        --listLeft_;
        if (listKind_ == ListKind::Integers) {
            id = kInteger;
            token.kind = TokenKind::Integer;
            token.integer = LoadU32(pos_);
            token.real = static_cast<double>(token.integer);
            pos_ += 4;
        } else {
            id = kFloatList;
            token.kind = TokenKind::Float;
            token.real = LoadFloat(pos_, floatSize_);
            pos_ += floatSize_;
        }
        return true;
    }
    for (;;) {
        if (pos_ == end_) {
            id = 0;
            token.kind = TokenKind::End;
            return true;
        }
        if (!ReadU16(id)) return false;
        switch (id) {
            case kName:
                token.kind = TokenKind::Name;
                return ReadCounted(kMaxNameLength, "name", token.text);
            case kString: {
                token.kind = TokenKind::String;
                if (!ReadCounted(kMaxStringLength, "string", token.text)) return false;
                // Its terminator (',' or ';') normally follows; accept it missing.
                uint16_t terminator = 0;
                if (PeekTokenId(terminator) && (terminator == kComma || terminator == kSemicolon)) pos_ += 2;
                return true;
            }
            case kInteger: {
                uint32_t value = 0;
                if (!ReadU32(value)) return false;
                token.kind = TokenKind::Integer;
                token.integer = value;
                token.real = value;
                return true;
            }
            case kGuid: {
                if (end_ - pos_ < 16) return Fail("data ends inside a GUID");
                char text[40];
                const uint8_t *g = pos_;
                std::snprintf(text, sizeof text, "%08x-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x", LoadU32(g),
                              g[4] | g[5] << 8, g[6] | g[7] << 8, g[8], g[9], g[10], g[11], g[12], g[13], g[14], g[15]);
                pos_ += 16;
                guid_ = text;
                token.kind = TokenKind::Guid;
                token.text = guid_;
                return true;
            }
            case kIntegerList:
            case kFloatList: {
                uint32_t count = 0;
                if (!ReadU32(count)) return false;
                const uint64_t size = id == kIntegerList ? 4 : floatSize_;
                if (count > static_cast<uint64_t>(end_ - pos_) / size) return Fail("list runs past the end of the data");
                listKind_ = id == kIntegerList ? ListKind::Integers : ListKind::Floats;
                listLeft_ = count;
                if (count == 0) continue;
                return NextRaw(token, id);
            }
            case kOpenBrace: token.kind = TokenKind::OpenBrace; return true;
            case kCloseBrace: token.kind = TokenKind::CloseBrace; return true;
            case kComma:
            case kSemicolon: continue;
            case kTemplate: token.kind = TokenKind::Template; return true;
            default:
                if ((id >= kFirstPunctuation && id <= kLastPunctuation) ||
                    (id >= kFirstTypeKeyword && id <= kLastTypeKeyword)) {
                    token.kind = TokenKind::Punctuation;
                    return true;
                }
                pos_ -= 2;
                return Fail("unknown token " + std::to_string(id));
        }
    }
}

bool BinaryTokenizer::Next(Token &token) {
    uint16_t id = 0;
    return NextRaw(token, id);
}

bool BinaryTokenizer::SkipBlock() {
    uint64_t depth = 1;
    for (;;) {
        // Whole lists at once: unknown objects often carry large ones.
        if (listLeft_ > 0) {
            pos_ += static_cast<size_t>(listLeft_) * (listKind_ == ListKind::Integers ? 4 : floatSize_);
            listLeft_ = 0;
        }
        Token token;
        uint16_t id = 0;
        if (!NextRaw(token, id)) return false;
        switch (token.kind) {
            case TokenKind::End: return Fail("data ends inside a block");
            case TokenKind::OpenBrace: ++depth; break;
            case TokenKind::CloseBrace:
                if (--depth == 0) return true;
                break;
            default: break;
        }
    }
}

bool BinaryTokenizer::SkipGuid(std::string *guid) {
    SkipSeparators();
    uint16_t id = 0;
    if (listLeft_ > 0 || !PeekTokenId(id) || id != kGuid) {
        if (guid) guid->clear();
        return true;
    }
    Token token;
    if (!NextRaw(token, id)) return false;
    if (guid) *guid = guid_;
    return true;
}

bool BinaryTokenizer::ReadUint(uint32_t &value) {
    SkipSeparators();
    if (listLeft_ > 0 && listKind_ == ListKind::Integers) {
        --listLeft_;
        value = LoadU32(pos_);
        pos_ += 4;
        return true;
    }
    Token token;
    uint16_t id = 0;
    const uint8_t *start = pos_;
    if (!NextRaw(token, id)) return false;
    if (token.kind != TokenKind::Integer) {
        pos_ = start;
        return Fail("expected an integer");
    }
    value = static_cast<uint32_t>(token.integer);
    return true;
}

bool BinaryTokenizer::ReadFloat(float &value) {
    SkipSeparators();
    if (listLeft_ > 0 && listKind_ == ListKind::Floats) {
        --listLeft_;
        value = LoadFloat(pos_, floatSize_);
        pos_ += floatSize_;
        return true;
    }
    Token token;
    uint16_t id = 0;
    const uint8_t *start = pos_;
    if (!NextRaw(token, id)) return false;
    if (token.kind != TokenKind::Float && token.kind != TokenKind::Integer) {
        pos_ = start;
        return Fail("expected a number");
    }
    value = static_cast<float>(token.real);
    return true;
}

bool BinaryTokenizer::ReadString(std::string &value) {
    SkipSeparators();
    Token token;
    uint16_t id = 0;
    const uint8_t *start = pos_;
    if (!NextRaw(token, id)) return false;
    if (token.kind != TokenKind::String) {
        pos_ = start;
        return Fail("expected a string");
    }
    value.assign(token.text);
    return true;
}

uint64_t BinaryTokenizer::ValueCapacity() const { return listLeft_ + static_cast<uint64_t>(end_ - pos_) / 4; }

}  // namespace morvel::formats::xfile
