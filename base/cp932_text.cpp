#include "base/cp932_text.h"

namespace morvel::base {

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

size_t Cp932FindLastOf(std::string_view text, std::string_view characters) {
    size_t last = std::string_view::npos;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (IsCp932LeadByte(c)) {
            ++i;  // the second byte belongs to the character
        } else if (characters.find(static_cast<char>(c)) != std::string_view::npos) {
            last = i;
        }
    }
    return last;
}

}  // namespace morvel::base
