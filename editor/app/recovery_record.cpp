#include "app/recovery_record.h"

#include <cstdio>
#include <tuple>
#include <vector>

namespace morvel::app {

namespace {

constexpr std::string_view kTag = "MVRC";
constexpr std::string_view kFirstLine = "MORVEL-RECOVERY 1";
// A path buffer holds at most 1023 bytes; hex doubles them.
constexpr size_t kMaxHexField = 2 * 1023;

std::string Hex(std::string_view bytes) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned char c : bytes) {
        text += kDigits[c >> 4];
        text += kDigits[c & 15];
    }
    return text;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool Unhex(std::string_view text, std::string &bytes) {
    if (text.size() % 2 != 0 || text.size() > kMaxHexField) return false;
    bytes.clear();
    for (size_t i = 0; i < text.size(); i += 2) {
        const int high = HexDigit(text[i]);
        const int low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0) return false;
        bytes += static_cast<char>(high * 16 + low);
    }
    return true;
}

// A whole decimal number of at most `digits` digits.
bool Number(std::string_view text, size_t digits, unsigned long &value) {
    if (text.empty() || text.size() > digits) return false;
    unsigned long long n = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        n = n * 10 + static_cast<unsigned>(c - '0');
    }
    if (n > 0xFFFFFFFFull) return false;
    value = static_cast<unsigned long>(n);
    return true;
}

bool Field(std::string_view line, std::string_view key, std::string_view &value) {
    if (line.size() < key.size() + 1 || line.substr(0, key.size()) != key ||
        line[key.size()] != ' ') {
        return false;
    }
    value = line.substr(key.size() + 1);
    return true;
}

// "<id> <started>", both decimal.
bool ParseProcess(std::string_view text, ProcessIdentity &process) {
    const size_t space = text.find(' ');
    if (space == std::string_view::npos) return false;
    // Written without leading zeros: any other spelling is not ours.
    const auto padded = [](std::string_view digits) { return digits.size() > 1 && digits[0] == '0'; };
    if (padded(text.substr(0, space)) || padded(text.substr(space + 1))) return false;
    unsigned long id = 0;
    if (!Number(text.substr(0, space), 10, id)) return false;
    const std::string_view started = text.substr(space + 1);
    if (started.empty() || started.size() > 20) return false;
    uint64_t value = 0;
    for (char c : started) {
        if (c < '0' || c > '9') return false;
        const uint64_t next = value * 10 + static_cast<unsigned>(c - '0');
        if (next / 10 != value) return false;  // beyond 64 bits
        value = next;
    }
    process = {id, value};
    return true;
}

// "YYYY-MM-DD HH:MM:SS" with every part in its range.
bool ParseTime(std::string_view text, RecoveryTime &time) {
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' ||
        text[13] != ':' || text[16] != ':') {
        return false;
    }
    unsigned long parts[6];
    const size_t at[6] = {0, 5, 8, 11, 14, 17};
    const size_t width[6] = {4, 2, 2, 2, 2, 2};
    for (int i = 0; i < 6; ++i) {
        if (!Number(text.substr(at[i], width[i]), width[i], parts[i]) ||
            text.substr(at[i], width[i]).size() != width[i]) {
            return false;
        }
    }
    if (parts[1] < 1 || parts[1] > 12 || parts[2] < 1 || parts[2] > 31 || parts[3] > 23 ||
        parts[4] > 59 || parts[5] > 60) {
        return false;
    }
    time = {static_cast<int>(parts[0]), static_cast<int>(parts[1]), static_cast<int>(parts[2]),
            static_cast<int>(parts[3]), static_cast<int>(parts[4]), static_cast<int>(parts[5])};
    return true;
}

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

}  // namespace

bool RecoveryTime::operator<(const RecoveryTime &o) const {
    return std::tie(year, month, day, hour, minute, second) <
           std::tie(o.year, o.month, o.day, o.hour, o.minute, o.second);
}

std::string EncodeRecordTrailer(const RecoveryRecord &record) {
    char time[32];
    std::snprintf(time, sizeof time, "%04d-%02d-%02d %02d:%02d:%02d", record.savedAt.year % 10000,
                  record.savedAt.month % 100, record.savedAt.day % 100, record.savedAt.hour % 100,
                  record.savedAt.minute % 100, record.savedAt.second % 100);
    std::string text = std::string(kFirstLine) + "\n";
    text += "process " + std::to_string(record.process.id) + " " +
            std::to_string(record.process.started) + "\n";
    text += std::string("time ") + time + "\n";
    text += "path " + Hex(record.documentPath.substr(0, 1023)) + "\n";
    text += "folder " + Hex(record.folder.substr(0, 1023)) + "\n";
    text += "version " + Hex(std::string_view(record.version.data(), record.version.size())) + "\n";
    const uint32_t length = static_cast<uint32_t>(text.size());
    for (int shift = 0; shift < 32; shift += 8) text += static_cast<char>((length >> shift) & 0xFF);
    text += kTag;
    return text;
}

bool DecodeRecordTrailer(std::string_view tail, RecoveryRecord &record) {
    if (tail.size() < 8 || tail.substr(tail.size() - 4) != kTag) return false;
    uint32_t length = 0;
    for (int i = 0; i < 4; ++i) {
        length |= static_cast<uint32_t>(static_cast<unsigned char>(tail[tail.size() - 8 + i]))
                  << (8 * i);
    }
    if (length > tail.size() - 8 || length > kMaxRecordTrailer) return false;
    const std::string_view text = tail.substr(tail.size() - 8 - length, length);
    if (text.empty() || text.back() != '\n') return false;
    const std::vector<std::string_view> lines = Lines(text);
    if (lines.size() != 6 || lines[0] != kFirstLine) return false;

    RecoveryRecord read;
    std::string_view value;
    std::string version;
    if (!Field(lines[1], "process", value) || !ParseProcess(value, read.process)) return false;
    if (!Field(lines[2], "time", value) || !ParseTime(value, read.savedAt)) return false;
    if (!Field(lines[3], "path", value) || !Unhex(value, read.documentPath)) return false;
    if (!Field(lines[4], "folder", value) || !Unhex(value, read.folder)) return false;
    if (!Field(lines[5], "version", value) || !Unhex(value, version) || version.size() != 4) {
        return false;
    }
    // Texts end at their first zero byte in the editor's buffers.
    if (read.documentPath.find('\0') != std::string::npos ||
        read.folder.find('\0') != std::string::npos) {
        return false;
    }
    for (int i = 0; i < 4; ++i) read.version[i] = version[i];
    record = read;
    return true;
}

}  // namespace morvel::app
