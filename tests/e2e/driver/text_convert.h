// Conversions between the protocol's UTF-8 and Windows' UTF-16. The driver
// talks to the program's ANSI (code page 932) windows through the wide
// functions, which convert from and to the ANSI code page on their own.
#pragma once

#include <string>

namespace morvel::e2e {

std::wstring Utf8ToWide(const std::string &text);
std::string WideToUtf8(const std::wstring &text);

}  // namespace morvel::e2e
