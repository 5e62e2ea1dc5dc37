#include "formats/xfile/text_tokenizer.h"

#include <algorithm>
#include <bitset>
#include <charconv>
#include <cstring>

#include "formats/xfile/x_limits.h"

namespace morvel::formats::xfile {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

bool IsFiller(char c) { return IsSpace(c) || c == ';' || c == ','; }

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

// Newlines in [begin, end), eight bytes at a time: error messages need the
// line of bytes the window has already let go.
uint64_t CountNewlines(const char *begin, const char *end) {
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    constexpr uint64_t kNewlines = 0x0A0A0A0A0A0A0A0Aull;
    uint64_t count = 0;
    const char *p = begin;
    for (; end - p >= 8; p += 8) {
        uint64_t word;
        std::memcpy(&word, p, sizeof word);
        const uint64_t x = word ^ kNewlines;  // zero bytes where the newlines were
        const uint64_t zero = ~(((x & kLow7) + kLow7) | x | kLow7);
        count += static_cast<uint64_t>(std::bitset<64>(zero).count());
    }
    for (; p != end; ++p) count += *p == '\n';
    return count;
}

bool StartsNumber(char c) { return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.'; }

}  // namespace

TextTokenizer::TextTokenizer(const char *begin, const char *end)
    : begin_(begin), pos_(begin), end_(end), atEnd_(true), size_(static_cast<uint64_t>(end - begin)) {}

TextTokenizer::TextTokenizer(ByteSource &source, uint64_t size)
    : source_(&source), window_(kWindowSize), begin_(window_.data()), pos_(begin_), end_(begin_), atEnd_(false),
      size_(size) {
    Refill();
}

void TextTokenizer::Refill() {
    if (!source_ || atEnd_) return;
    discardedLines_ += CountNewlines(begin_, pos_);
    discarded_ += static_cast<uint64_t>(pos_ - begin_);
    const size_t kept = static_cast<size_t>(end_ - pos_);
    char *base = window_.data();
    std::memmove(base, pos_, kept);
    size_t filled = kept;
    while (filled < window_.size()) {
        const size_t got = source_->Read(base + filled, window_.size() - filled);
        if (got == 0) {
            atEnd_ = true;
            break;
        }
        filled += got;
    }
    begin_ = pos_ = base;
    end_ = base + filled;
}

bool TextTokenizer::Fail(const std::string &message) {
    const uint64_t line = 1 + discardedLines_ + CountNewlines(begin_, pos_);
    error_ = "line " + std::to_string(line) + ": " + message;
    return false;
}

// The end of the window is a delimiter only where the input really ends.
bool TextTokenizer::AtDelimiter(const char *p) const { return p == end_ ? atEnd_ : IsDelimiter(*p); }

void TextTokenizer::SkipToEndOfLine() {
    for (;;) {
        const void *eol = std::memchr(pos_, '\n', static_cast<size_t>(end_ - pos_));
        if (eol) {
            pos_ = static_cast<const char *>(eol) + 1;
            return;
        }
        pos_ = end_;
        if (atEnd_) return;
        Refill();
    }
}

void TextTokenizer::SkipFiller() {
    for (;;) {
        EnsureLookahead();
        while (pos_ != end_ && IsFiller(*pos_)) ++pos_;
        if (pos_ == end_) {
            if (atEnd_) return;
            continue;
        }
        const char c = *pos_;
        if (c == '#' || (c == '/' && end_ - pos_ > 1 && pos_[1] == '/')) {
            SkipToEndOfLine();
            continue;
        }
        return;
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
    if (static_cast<size_t>(pos_ - start) > kMaxNameLength || !AtDelimiter(pos_)) {
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

// pos_ is at the opening quote; the lookahead holds any string within bounds.
bool TextTokenizer::ReadQuoted(std::string_view &text) {
    const size_t available = static_cast<size_t>(end_ - pos_ - 1);
    const void *close = std::memchr(pos_ + 1, '"', std::min(available, kMaxStringLength + 1));
    if (!close) {
        return Fail(available > kMaxStringLength || !atEnd_
                        ? "string longer than " + std::to_string(kMaxStringLength) + " bytes"
                        : "unterminated string");
    }
    text = std::string_view(pos_ + 1, static_cast<size_t>(static_cast<const char *>(close) - pos_ - 1));
    pos_ = static_cast<const char *>(close) + 1;
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
        case '"':
            token.kind = TokenKind::String;
            return ReadQuoted(token.text);
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
    for (;;) {
        if (pos_ == end_) {
            if (atEnd_) return Fail("unexpected end of file inside a block");
            Refill();
            continue;
        }
        const char c = *pos_;
        if (atTokenStart && (c == '#' || c == '/')) {
            if (c == '/' && end_ - pos_ < 2 && !atEnd_) Refill();
            if (c == '#' || (end_ - pos_ > 1 && pos_[1] == '/')) {
                SkipToEndOfLine();
                continue;
            }
        }
        if (c == '"') {
            // Strings in skipped blocks may hold braces; they are not bounded here.
            ++pos_;
            for (;;) {
                const void *close = std::memchr(pos_, '"', static_cast<size_t>(end_ - pos_));
                if (close) {
                    pos_ = static_cast<const char *>(close) + 1;
                    break;
                }
                pos_ = end_;
                if (atEnd_) return Fail("unterminated string");
                Refill();
            }
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
    const char *digits = p;
    uint64_t parsed = 0;
    while (p != end_ && *p >= '0' && *p <= '9') {
        parsed = parsed * 10 + static_cast<uint64_t>(*p - '0');
        if (parsed > 0xFFFFFFFFull) return Fail("integer out of range");
        ++p;
    }
    if (p == digits || !AtDelimiter(p)) return Fail("expected a non-negative integer");
    value = static_cast<uint32_t>(parsed);
    pos_ = p;
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
    std::string_view text;
    if (!ReadQuoted(text)) return false;
    value.assign(text);
    return true;
}

uint64_t TextTokenizer::ValueCapacity() const {
    const uint64_t consumed = discarded_ + static_cast<uint64_t>(pos_ - begin_);
    const uint64_t remaining = size_ > consumed ? size_ - consumed : 0;
    return (remaining + 1) / 2;
}

}  // namespace morvel::formats::xfile
