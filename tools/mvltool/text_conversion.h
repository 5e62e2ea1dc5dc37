// Conversions between the documents' code page 932 texts and the UTF-8 of
// the JSON files. iconv on POSIX, the Win32 code-page functions on Windows.
#pragma once

#include <string>

namespace mvltool {

// False when text is not valid code page 932.
bool Cp932ToUtf8(const std::string &text, std::string &out);

// False when text is not valid UTF-8 or has a character without a code page
// 932 form.
bool Utf8ToCp932(const std::string &text, std::string &out);

// A user code typed on the command line, as the code page 932 bytes a file
// stores: converted from UTF-8 on POSIX; Windows hands programs their
// arguments in the ANSI code page already.
std::string CommandLineCode(const std::string &argument);

// Standard output carries the JSON bytes unchanged (no newline translation).
void UseBinaryStandardOutput();

}  // namespace mvltool
