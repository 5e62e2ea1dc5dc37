#include "render/xfile/text_tokenizer.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "render/xfile/x_limits.h"

namespace morvel::render::xfile {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

// Characters that end a word: whitespace, separators and punctuation.
bool IsDelimiter(char c) {
    switch (c) {
        case ' ': case '\t': case '\r': case '\n': case '\f': case '\v':
        case ';': case ',': case '{': case '}': case '[': case ']':
        case '(': case ')': case '<': case '>': case '"':
            return true;
        default:
            return false;
    }
}

bool StartsNumber(char c) { return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.'; }

}  // namespace

TextTokenizer::TextTokenizer(const char *begin, const char *end) : begin_(begin), pos_(begin), end_(end) {}

bool TextTokenizer::Fail(const std::string &message) {
    const long line = 1 + std::count(begin_, pos_, '\n');
    error_ = "line " + std::to_string(line) + ": " + message;
    return false;
}

bool TextTokenizer::AtDelimiter(const char *p) const { return p == end_ || IsDelimiter(*p); }

void TextTokenizer::SkipFiller() {
    while (pos_ != end_) {
        const char c = *pos_;
        if (IsSpace(c) || c == ';' || c == ',') {
            ++pos_;
        } else if (c == '#' || (c == '/' && end_ - pos_ > 1 && pos_[1] == '/')) {
            const void *eol = std::memchr(pos_, '\n', static_cast<size_t>(end_ - pos_));
            pos_ = eol ? static_cast<const char *>(eol) + 1 : end_;
        } else {
            return;
        }
    }
}

bool TextTokenizer::ReadGuid(std::string &guid) {
    // pos_ is at '<'.
    const char *p = pos_ + 1;
    const char *close = p;
    while (close != end_ && *close != '>' && close - p <= 64) ++close;
    if (close == end_ || *close != '>') return Fail("unterminated or overlong <GUID>");
    guid.clear();
    for (const char *q = p; q != close; ++q) {
        char c = *q;
        if (IsSpace(c)) continue;
        if (c >= 'A' && c <= 'F') c = static_cast<char>(c - 'A' + 'a');
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || c == '-')) return Fail("bad character in <GUID>");
        guid += c;
    }
    pos_ = close + 1;
    return true;
}

bool TextTokenizer::ReadWord(Token &token) {
    const char *start = pos_;
    while (pos_ != end_ && !IsDelimiter(*pos_)) ++pos_;
    if (static_cast<size_t>(pos_ - start) > kMaxNameLength) {
        pos_ = start;
        return Fail("name longer than " + std::to_string(kMaxNameLength) + " bytes");
    }
    token.text = std::string_view(start, static_cast<size_t>(pos_ - start));
    token.kind = TokenKind::Name;
    if (StartsNumber(*start)) {
        const char *p = start;
        if (*p == '+') ++p;
        int64_t integer = 0;
        auto intResult = std::from_chars(p, pos_, integer);
        if (intResult.ec == std::errc() && intResult.ptr == pos_) {
            token.kind = TokenKind::Integer;
            token.integer = integer;
            token.real = static_cast<double>(integer);
            return true;
        }
        double real = 0;
        auto realResult = std::from_chars(p, pos_, real);
        if (realResult.ec == std::errc() && realResult.ptr == pos_) {
            token.kind = TokenKind::Float;
            token.real = real;
        }
    }
    return true;
}

bool TextTokenizer::Next(Token &token) {
    SkipFiller();
    token = Token{};
    if (pos_ == end_) return true;
    const char c = *pos_;
    switch (c) {
        case '{': ++pos_; token.kind = TokenKind::OpenBrace; return true;
        case '}': ++pos_; token.kind = TokenKind::CloseBrace; return true;
        case '[': case ']': case '(': case ')': case '>':
            token.text = std::string_view(pos_, 1);
            ++pos_;
            token.kind = TokenKind::Punctuation;
            return true;
        case '<':
            if (!ReadGuid(guid_)) return false;
            token.kind = TokenKind::Guid;
            token.text = guid_;
            return true;
        case '"': {
            const size_t before = static_cast<size_t>(pos_ - begin_);
            std::string value;
            if (!ReadString(value)) return false;
            // The string's bytes still sit in the buffer: point at them.
            token.kind = TokenKind::String;
            token.text = std::string_view(begin_ + before + 1, value.size());
            return true;
        }
        default:
            if (!ReadWord(token)) return false;
            if (token.kind == TokenKind::Name && EqualsIgnoreCase(token.text, "template")) {
                token.kind = TokenKind::Template;
            }
            return true;
    }
}

bool TextTokenizer::SkipBlock() {
    uint64_t depth = 1;
    bool atTokenStart = true;
    while (pos_ != end_) {
        const char c = *pos_;
        if (atTokenStart && (c == '#' || (c == '/' && end_ - pos_ > 1 && pos_[1] == '/'))) {
            const void *eol = std::memchr(pos_, '\n', static_cast<size_t>(end_ - pos_));
            pos_ = eol ? static_cast<const char *>(eol) + 1 : end_;
            continue;
        }
        if (c == '"') {
            const void *close = std::memchr(pos_ + 1, '"', static_cast<size_t>(end_ - pos_ - 1));
            if (!close) return Fail("unterminated string");
            pos_ = static_cast<const char *>(close) + 1;
            atTokenStart = true;
            continue;
        }
        ++pos_;
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (--depth == 0) return true;
        }
        atTokenStart = IsDelimiter(c);
    }
    return Fail("unexpected end of file inside a block");
}

bool TextTokenizer::SkipGuid(std::string *guid) {
    SkipFiller();
    if (pos_ == end_ || *pos_ != '<') {
        if (guid) guid->clear();
        return true;
    }
    if (!ReadGuid(guid_)) return false;
    if (guid) *guid = guid_;
    return true;
}

bool TextTokenizer::ReadUint(uint32_t &value) {
    SkipFiller();
    const char *p = pos_;
    if (p != end_ && *p == '+') ++p;
    uint32_t parsed = 0;
    auto result = std::from_chars(p, end_, parsed);
    if (result.ec != std::errc() || !AtDelimiter(result.ptr)) {
        return Fail(result.ec == std::errc::result_out_of_range ? "integer out of range"
                                                                : "expected a non-negative integer");
    }
    value = parsed;
    pos_ = result.ptr;
    return true;
}

bool TextTokenizer::ReadFloat(float &value) {
    SkipFiller();
    const char *p = pos_;
    if (p != end_ && *p == '+') ++p;
    auto result = std::from_chars(p, end_, value);
    if (result.ec == std::errc::result_out_of_range) {
        // Denormal underflow or overflow: take the nearest float.
        double wide = 0;
        result = std::from_chars(p, end_, wide);
        value = static_cast<float>(wide);
    }
    if (result.ec != std::errc() || !AtDelimiter(result.ptr)) return Fail("expected a number");
    pos_ = result.ptr;
    return true;
}

bool TextTokenizer::ReadString(std::string &value) {
    SkipFiller();
    if (pos_ == end_ || *pos_ != '"') return Fail("expected a quoted string");
    const size_t limit = std::min<size_t>(static_cast<size_t>(end_ - pos_ - 1), kMaxStringLength + 1);
    const void *close = std::memchr(pos_ + 1, '"', limit);
    if (!close) {
        return Fail(static_cast<size_t>(end_ - pos_ - 1) > kMaxStringLength
                        ? "string longer than " + std::to_string(kMaxStringLength) + " bytes"
                        : "unterminated string");
    }
    value.assign(pos_ + 1, static_cast<const char *>(close));
    pos_ = static_cast<const char *>(close) + 1;
    return true;
}

uint64_t TextTokenizer::ValueCapacity() const { return (static_cast<uint64_t>(end_ - pos_) + 1) / 2; }

}  // namespace morvel::render::xfile
