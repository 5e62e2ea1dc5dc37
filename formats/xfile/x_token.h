// The tokens the text and binary X-file tokenizers hand to the object parser.
#pragma once

#include <cstdint>
#include <string_view>

namespace morvel::formats::xfile {

enum class TokenKind : uint8_t {
    End,          // no more input
    Name,         // identifier or object name
    String,       // quoted string (text) or string token (binary)
    Integer,
    Float,
    Guid,         // text holds the canonical lower-case form
    OpenBrace,
    CloseBrace,
    Template,     // the "template" keyword
    Punctuation,  // anything else that only template declarations use
};

struct Token {
    TokenKind kind = TokenKind::End;
    std::string_view text;  // Name, String, Guid, and the spelling of numbers in text
    int64_t integer = 0;
    double real = 0.0;
};

// Case-insensitive comparison for keywords and template names (ASCII only:
// template names are plain identifiers).
inline bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

}  // namespace morvel::formats::xfile
