#include "base/text_encoding.h"

namespace morvel::base {
namespace {

// Length of the UTF-8 sequence starting at text[i]; 0 when none starts there.
size_t SequenceLength(const std::string &text, size_t i) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    const size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3
                                                                 : (lead & 0xF8) == 0xF0 ? 4
                                                                                         : 0;
    if (length == 0 || i + length > text.size()) return 0;
    for (size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 0;
    }
    return length;
}

}  // namespace

size_t Utf8ToCp932Replacing(const std::string &text, std::string &out) {
    if (Utf8ToCp932(text, out)) return 0;  // one conversion for the common case
    out.clear();
    size_t replaced = 0;
    for (size_t i = 0; i < text.size();) {
        const size_t length = SequenceLength(text, i);
        std::string converted;
        if (length != 0 && Utf8ToCp932(text.substr(i, length), converted)) {
            out += converted;
        } else {
            out += '_';
            ++replaced;
        }
        i += length == 0 ? 1 : length;
    }
    return replaced;
}

}  // namespace morvel::base
