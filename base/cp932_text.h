// Code page 932 (Shift-JIS) text as bytes. The second byte of a double-byte
// character may equal '\' or any ASCII letter, so text is walked character
// by character, never searched byte by byte.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace morvel::base {

// True for the first byte of a double-byte character.
constexpr bool IsCp932LeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// The length of text cut to at most maxBytes bytes without splitting a
// double-byte character. A lead byte that ends the text stands alone.
size_t Cp932PrefixLength(std::string_view text, size_t maxBytes);

// Index of the last byte of text that is one of `characters` and starts a
// character of its own (not the second byte of a double-byte one); npos
// when there is none.
size_t Cp932FindLastOf(std::string_view text, std::string_view characters);

}  // namespace morvel::base
