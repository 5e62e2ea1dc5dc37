// Tokenizer for the binary form of X files: a stream of 16-bit token ids,
// some followed by counts and data. Integer and float lists are handed out
// one value at a time, straight from the buffer.
#pragma once

#include <cstdint>
#include <string>

#include "formats/xfile/x_token.h"

namespace morvel::formats::xfile {

class BinaryTokenizer {
public:
    // floatSize: 4 or 8, from the header's "0032"/"0064".
    BinaryTokenizer(const uint8_t *begin, const uint8_t *end, unsigned floatSize);

    bool Next(Token &token);
    bool SkipBlock();
    bool SkipGuid(std::string *guid);

    bool ReadUint(uint32_t &value);
    bool ReadFloat(float &value);
    bool ReadString(std::string &value);

    uint64_t ValueCapacity() const;

    const std::string &Error() const { return error_; }
    bool Fail(const std::string &message);  // records the message with the position; false

private:
    enum class ListKind : uint8_t { None, Integers, Floats };

    bool ReadU16(uint16_t &value);
    bool ReadU32(uint32_t &value);
    bool ReadCounted(size_t limit, const char *what, std::string_view &text);
    bool PeekTokenId(uint16_t &id);
    void SkipSeparators();
    bool NextRaw(Token &token, uint16_t &id);

    const uint8_t *begin_;
    const uint8_t *pos_;
    const uint8_t *end_;
    unsigned floatSize_;
    ListKind listKind_ = ListKind::None;
    uint32_t listLeft_ = 0;
    std::string guid_;
    std::string error_;
};

}  // namespace morvel::formats::xfile
