// Code page 932 <-> UTF-8, for the files other tools write (JSON, glTF):
// iconv on POSIX, the Win32 code-page functions on Windows, so both give
// the same bytes for every character code page 932 has.
#pragma once

#include <cstddef>
#include <string>

namespace morvel::base {

// False when text is not valid code page 932.
bool Cp932ToUtf8(const std::string &text, std::string &out);

// False when text is not valid UTF-8 or has a character without a code page
// 932 form.
bool Utf8ToCp932(const std::string &text, std::string &out);

// Names from other tools must still become names here: each character code
// page 932 lacks (and each byte that is not UTF-8) becomes '_'. Returns how
// many were replaced.
size_t Utf8ToCp932Replacing(const std::string &text, std::string &out);

}  // namespace morvel::base
