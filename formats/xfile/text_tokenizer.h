// Tokenizer for the text form of X files. Separators (';' and ',') carry no
// meaning for the reader: the templates it knows fix how many values come,
// so missing or doubled separators are accepted wherever exporters put them.
//
// It reads either a buffer in memory or a ByteSource through a window that
// always holds the whole next token, so large files need no copy of their own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "formats/xfile/byte_source.h"
#include "formats/xfile/x_token.h"

namespace morvel::formats::xfile {

class TextTokenizer {
public:
    TextTokenizer(const char *begin, const char *end);
    // size: the number of bytes the source will deliver (an upper bound is fine).
    TextTokenizer(ByteSource &source, uint64_t size);

    // The next structural token; separators and comments are skipped. Text
    // views stay valid until the next call.
    bool Next(Token &token);

    // After an opening brace: skips everything up to its closing brace.
    bool SkipBlock();

    // Consumes a "<GUID>" if one comes next; true also when none comes.
    bool SkipGuid(std::string *guid);

    bool ReadUint(uint32_t &value);
    bool ReadFloat(float &value);
    bool ReadString(std::string &value);

    // An upper bound on the number of values the rest of the input can hold.
    uint64_t ValueCapacity() const;

    const std::string &Error() const { return error_; }
    bool Fail(const std::string &message);  // records the message with the position; false

private:
    void Refill();
    void EnsureLookahead() {
        if (!atEnd_ && static_cast<size_t>(end_ - pos_) < kLookahead) Refill();
    }
    void SkipFiller();
    void SkipToEndOfLine();
    bool AtDelimiter(const char *p) const;
    bool ReadWord(Token &token);
    bool ReadGuid(std::string &guid);
    bool ReadQuoted(std::string_view &text);

    static constexpr size_t kLookahead = 72 * 1024;  // more than the longest token
    static constexpr size_t kWindowSize = 512 * 1024;

    ByteSource *source_ = nullptr;
    std::vector<char> window_;
    const char *begin_;
    const char *pos_;
    const char *end_;
    bool atEnd_ = true;         // no more bytes beyond end_
    uint64_t size_ = 0;         // bytes of the whole input
    uint64_t discarded_ = 0;    // bytes dropped from the window so far
    uint64_t discardedLines_ = 0;
    std::string guid_;
    std::string error_;
};

}  // namespace morvel::formats::xfile
