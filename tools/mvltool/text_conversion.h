// Conversions between the documents' code page 932 texts and the UTF-8 of
// the JSON files (base/text_encoding.h), and the command line's side of them.
#pragma once

#include <string>

#include "base/text_encoding.h"

namespace mvltool {

using morvel::base::Cp932ToUtf8;
using morvel::base::Utf8ToCp932;

// A user code typed on the command line, as the code page 932 bytes a file
// stores: converted from UTF-8 on POSIX; Windows hands programs their
// arguments in the ANSI code page already.
std::string CommandLineCode(const std::string &argument);

// Messages in code page 932 as the console shows them: UTF-8 on POSIX;
// Windows consoles take the ANSI code page.
std::string ConsoleText(const std::string &cp932);

// Standard output carries the JSON bytes unchanged (no newline translation).
void UseBinaryStandardOutput();

}  // namespace mvltool
