#include "document/pose_mirror.h"

#include <cctype>

#include "base/cp932_text.h"

namespace morvel::document {
namespace {

const std::string kLeft = "\x8d\xb6";   // 左
const std::string kRight = "\x89\x45";  // 右

bool IsSeparator(char c) { return c == '_' || c == '-' || c == '.' || c == ' '; }
bool IsAsciiLower(char c) { return c >= 'a' && c <= 'z'; }
bool IsAsciiUpper(char c) { return c >= 'A' && c <= 'Z'; }

char SwapSideLetter(char c) {
    switch (c) {
        case 'l': return 'r';
        case 'r': return 'l';
        case 'L': return 'R';
        case 'R': return 'L';
        default: return c;
    }
}

bool IsSideLetter(char c) { return SwapSideLetter(c) != c; }

// "right" in the case style of `word` (all capitals, a capital first, or small).
std::string InStyleOf(const std::string &word, const std::string &replacement) {
    std::string out = replacement;
    const bool allUpper = IsAsciiUpper(word[0]) && IsAsciiUpper(word[1]);
    for (size_t i = 0; i < out.size(); ++i) {
        if (allUpper || (i == 0 && IsAsciiUpper(word[0]))) {
            out[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(out[i])));
        }
    }
    return out;
}

bool EqualsIgnoringAsciiCase(const std::string &a, const std::string &b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::string FieldText(const char *field, size_t size) {
    size_t length = 0;
    while (length < size && field[length] != '\0') ++length;
    return std::string(field, length);
}

int16_t MirrorDegrees(int16_t degrees) {
    // -(-32768) does not fit: 32768 degrees is the same turn as 32408.
    return degrees == -32768 ? static_cast<int16_t>(32408) : static_cast<int16_t>(-degrees);
}

double MirrorCoordinate(double x) { return x == 0.0 ? x : -x; }

PositionEntry Mirrored(const PositionEntry &p) {
    PositionEntry out = p;
    out.translation.x = MirrorCoordinate(p.translation.x);
    out.rotation.y = MirrorDegrees(p.rotation.y);
    out.rotation.z = MirrorDegrees(p.rotation.z);
    return out;
}

}  // namespace

std::vector<std::string> PartnerNameCandidates(const std::string &fileName) {
    const size_t slash = base::Cp932FindLastOf(fileName, "\\/");
    const size_t stemStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = base::Cp932FindLastOf(fileName, ".");
    const size_t stemEnd = dot == std::string::npos || dot < stemStart ? fileName.size() : dot;

    // Character starts within the stem, walked as code page 932.
    std::vector<size_t> starts;
    for (size_t i = stemStart; i < stemEnd;) {
        starts.push_back(i);
        i += base::IsCp932LeadByte(static_cast<unsigned char>(fileName[i])) && i + 1 < stemEnd ? 2 : 1;
    }
    auto charAt = [&](size_t k) -> char {  // 0 for a double-byte or a missing character
        if (k >= starts.size()) return 0;
        const size_t end = k + 1 < starts.size() ? starts[k + 1] : stemEnd;
        return end - starts[k] == 1 ? fileName[starts[k]] : 0;
    };
    auto replaced = [&](size_t at, size_t length, const std::string &with) {
        return fileName.substr(0, at) + with + fileName.substr(at + length);
    };

    std::vector<std::string> candidates;
    for (size_t k = 0; k < starts.size(); ++k) {
        const size_t at = starts[k];
        const size_t end = k + 1 < starts.size() ? starts[k + 1] : stemEnd;
        if (end - at == 2) {
            const std::string character = fileName.substr(at, 2);
            if (character == kLeft) candidates.push_back(replaced(at, 2, kRight));
            if (character == kRight) candidates.push_back(replaced(at, 2, kLeft));
            continue;
        }
        // Whole ASCII words: every character of the word is single-byte.
        for (const auto &[word, other] : {std::pair<std::string, std::string>{"left", "right"}, {"right", "left"}}) {
            bool single = k + word.size() <= starts.size();
            for (size_t w = 0; single && w < word.size(); ++w) single = charAt(k + w) != 0;
            if (single && EqualsIgnoringAsciiCase(fileName.substr(at, word.size()), word)) {
                candidates.push_back(replaced(at, word.size(), InStyleOf(fileName.substr(at, word.size()), other)));
            }
        }
        const char c = charAt(k);
        if (!IsSideLetter(c)) continue;
        const char before = k == 0 ? 0 : charAt(k - 1);
        const char after = charAt(k + 1);
        const bool beforeBounds = k == 0 || IsSeparator(before);
        const bool afterBounds = k + 1 == starts.size() || IsSeparator(after) || std::isdigit(static_cast<unsigned char>(after));
        const bool letterToken = beforeBounds && afterBounds && starts.size() > 1;
        const bool capitalEnding = IsAsciiUpper(c) && k + 1 == starts.size() && IsAsciiLower(before);
        const bool capitalStart = IsAsciiUpper(c) && k == 0 && IsAsciiUpper(after) && IsAsciiLower(charAt(2));
        if (letterToken || capitalEnding || capitalStart) {
            candidates.push_back(replaced(at, 1, std::string(1, SwapSideLetter(c))));
        }
    }
    return candidates;
}

std::vector<int16_t> MirrorPartners(const MotionDocument &document) {
    const int count = document.header.partCount;
    std::vector<int16_t> partners(static_cast<size_t>(count));
    std::vector<std::string> names(static_cast<size_t>(count));
    for (int k = 0; k < count; ++k) {
        partners[k] = static_cast<int16_t>(k);
        names[k] = FieldText(document.parts[k].fileName, sizeof document.parts[k].fileName);
    }
    for (int k = 0; k < count; ++k) {
        if (partners[k] != k) continue;
        for (const std::string &candidate : PartnerNameCandidates(names[k])) {
            int found = -1;
            for (int j = 0; j < count && found < 0; ++j) {
                if (j != k && partners[j] == j && EqualsIgnoringAsciiCase(names[j], candidate)) found = j;
            }
            if (found >= 0) {
                partners[k] = static_cast<int16_t>(found);
                partners[found] = static_cast<int16_t>(k);
                break;
            }
        }
    }
    return partners;
}

std::vector<PositionEntry> MirrorPose(const std::vector<PositionEntry> &pose,
                                      const std::vector<int16_t> &partners) {
    auto partnerOf = [&](int16_t part) {
        return part >= 0 && static_cast<size_t>(part) < partners.size() ? partners[part] : part;
    };
    std::vector<PositionEntry> out(pose.size());
    std::vector<bool> used(pose.size(), false);  // each slot's values go to one slot
    for (size_t i = 0; i < pose.size(); ++i) {
        const int16_t part = pose[i].partNumber;
        const int16_t partner = partnerOf(part);
        size_t source = i;
        for (size_t j = 0; partner != part && j < pose.size(); ++j) {
            if (!used[j] && pose[j].partNumber == partner) {
                source = j;
                break;
            }
        }
        used[source] = true;
        out[i] = Mirrored(pose[source]);
        // Without a slot of its partner, the mirrored values move to the partner.
        out[i].partNumber = source != i ? part : partner;
    }
    return out;
}

}  // namespace morvel::document
