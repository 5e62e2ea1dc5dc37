#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

#include "text_conversion.h"

namespace mvltool {

std::string CommandLineCode(const std::string &argument) { return argument; }

std::string ConsoleText(const std::string &cp932) { return cp932; }

void UseBinaryStandardOutput() { _setmode(_fileno(stdout), _O_BINARY); }

}  // namespace mvltool
