// Texts in the fixed-size character fields of the records: code page 932
// bytes, NUL-terminated inside the field.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace morvel::base {

// Stores text into a field of fieldSize bytes: at most fieldSize - 1 bytes
// (cut at a character boundary), then zeros up to the end of the field.
void StoreFieldText(char *field, size_t fieldSize, std::string_view text);

// The text of a field, up to its first NUL or its end, whichever comes first
// (a field read from a file need not hold a NUL).
std::string FieldText(const char *field, size_t fieldSize);

// The text in a path buffer or other NUL-terminated buffer of size bytes.
inline std::string BufferText(const char *buffer, size_t size) { return FieldText(buffer, size); }

}  // namespace morvel::base
