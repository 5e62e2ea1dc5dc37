// printf-style formatting into a std::string, for list lines and the
// numbers the dialogs show (code page 932 bytes pass through unchanged).
#pragma once

#include <string>

namespace morvel::dialogs {

#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
std::string
Format(const char *format, ...);

}  // namespace morvel::dialogs
