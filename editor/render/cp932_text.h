// Byte-level helpers for code page 932 text: a trail byte may equal '\' or
// any ASCII letter, so text is walked character by character.
#pragma once

#include <cstddef>
#include <string>

namespace morvel::render {

inline bool IsCp932LeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Length of the longest prefix of at most maxBytes bytes that does not end
// in the middle of a double-byte character.
inline size_t Cp932PrefixLength(const std::string &text, size_t maxBytes) {
    size_t i = 0;
    while (i < text.size()) {
        const size_t step = IsCp932LeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
        if (i + step > maxBytes || i + step > text.size()) break;
        i += step;
    }
    return i;
}

// Index of the last '\' that is a character of its own, or npos.
inline size_t Cp932LastBackslash(const std::string &text) {
    size_t last = std::string::npos;
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (IsCp932LeadByte(c)) {
            i += 2;
            continue;
        }
        if (c == '\\') last = i;
        ++i;
    }
    return last;
}

}  // namespace morvel::render
