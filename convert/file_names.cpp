#include "convert/file_names.h"

#include "base/cp932_text.h"
#include "base/text_encoding.h"

namespace morvel::convert {
namespace {

std::string Folded(const std::string &name) {
    std::string folded = name;
    for (char &c : folded) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

std::string Cut(const std::string &text, size_t maxBytes) {
    return text.substr(0, base::Cp932PrefixLength(text, maxBytes));
}

}  // namespace

std::string Cp932(const std::string &utf8) {
    std::string text;
    base::Utf8ToCp932Replacing(utf8, text);
    return text;
}

std::string SafeFileStem(const std::string &cp932, const std::string &fallback) {
    std::string stem;
    for (size_t i = 0; i < cp932.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(cp932[i]);
        if (base::IsCp932LeadByte(c) && i + 1 < cp932.size()) {
            stem += cp932.substr(i, 2);  // a second byte may be '\' and is no separator
            ++i;
            continue;
        }
        const bool refused = c < 0x20 || c == 0x7F || std::string("\\/:*?\"<>|").find(char(c)) != std::string::npos ||
                             base::IsCp932LeadByte(c);
        stem += refused ? '_' : char(c);
    }
    size_t first = 0;
    while (first < stem.size() && (stem[first] == '.' || stem[first] == ' ')) stem[first++] = '_';
    for (size_t last = stem.size(); last > first && (stem[last - 1] == '.' || stem[last - 1] == ' ');) {
        stem[--last] = '_';
    }
    return stem.empty() ? fallback : stem;
}

std::string FileNameBook::Claim(const std::string &stem, const std::string &extension, size_t maxBytes) {
    const size_t room = maxBytes > extension.size() ? maxBytes - extension.size() : 1;
    std::string name = Cut(stem, room) + extension;
    for (int n = 2; !taken_.insert(Folded(name)).second; ++n) {
        const std::string suffix = "_" + std::to_string(n);
        name = Cut(stem, room > suffix.size() ? room - suffix.size() : 1) + suffix + extension;
    }
    return name;
}

}  // namespace morvel::convert
