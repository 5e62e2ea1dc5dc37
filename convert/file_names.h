// Names from other tools as file names of a figure's folder: code page 932,
// no character Windows refuses in a file name, short enough for the motion
// file's 64-byte part field, and unique regardless of case.
#pragma once

#include <cstddef>
#include <set>
#include <string>

namespace morvel::convert {

// A part's file name after ".\\" in the 64-byte field with its terminating zero.
constexpr size_t kMaxPartFileName = 64 - 1 - 2;

// Names and messages from other tools (UTF-8) in code page 932, '_' for
// what it lacks.
std::string Cp932(const std::string &utf8);

// '\' '/' ':' '*' '?' '"' '<' '>' '|', control characters and leading or
// trailing dots and spaces become '_'; fallback when nothing is left.
std::string SafeFileStem(const std::string &cp932, const std::string &fallback);

class FileNameBook {
public:
    // stem + extension, the stem cut at a character boundary so that the
    // whole name has at most maxBytes bytes, "_2", "_3", ... added where the
    // name is taken.
    std::string Claim(const std::string &stem, const std::string &extension, size_t maxBytes);

private:
    std::set<std::string> taken_;  // ASCII letters folded to lower case
};

}  // namespace morvel::convert
