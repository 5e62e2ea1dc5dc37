// Tokenizer for the text form of X files. Separators (';' and ',') carry no
// meaning for the reader: the templates it knows fix how many values come,
// so missing or doubled separators are accepted wherever exporters put them.
#pragma once

#include <cstdint>
#include <string>

#include "render/xfile/x_token.h"

namespace morvel::render::xfile {

class TextTokenizer {
public:
    TextTokenizer(const char *begin, const char *end);

    // The next structural token; separators and comments are skipped.
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
    void SkipFiller();
    bool AtDelimiter(const char *p) const;
    bool ReadWord(Token &token);
    bool ReadGuid(std::string &guid);

    const char *begin_;
    const char *pos_;
    const char *end_;
    std::string guid_;
    std::string error_;
};

}  // namespace morvel::render::xfile
