#include <string>

#include "text_conversion.h"

namespace mvltool {

std::string CommandLineCode(const std::string &argument) {
    std::string code;
    return Utf8ToCp932(argument, code) ? code : argument;
}

std::string ConsoleText(const std::string &cp932) {
    std::string utf8;
    return Cp932ToUtf8(cp932, utf8) ? utf8 : cp932;
}

void UseBinaryStandardOutput() {}

}  // namespace mvltool
