#include "document/field_text.h"

#include <cstring>

namespace morvel::document {

size_t Cp932PrefixLength(std::string_view text, size_t maxBytes) {
    size_t length = 0;
    while (length < text.size()) {
        const size_t width =
            IsCp932LeadByte(static_cast<unsigned char>(text[length])) && length + 1 < text.size()
                ? 2
                : 1;
        if (length + width > maxBytes) break;
        length += width;
    }
    return length;
}

void StoreFieldText(char *field, size_t fieldSize, std::string_view text) {
    if (fieldSize == 0) return;
    const size_t length = Cp932PrefixLength(text, fieldSize - 1);
    std::memset(field, 0, fieldSize);
    std::memcpy(field, text.data(), length);
}

std::string FieldText(const char *field, size_t fieldSize) {
    size_t length = 0;
    while (length < fieldSize && field[length] != '\0') ++length;
    return std::string(field, length);
}

}  // namespace morvel::document
