#include "base/field_text.h"

#include <cstring>

#include "base/cp932_text.h"

namespace morvel::base {

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

}  // namespace morvel::base
