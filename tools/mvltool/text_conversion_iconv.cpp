#include <string>

#include "text_conversion.h"

namespace mvltool {

std::string CommandLineCode(const std::string &argument) {
    std::string code;
    return Utf8ToCp932(argument, code) ? code : argument;
}

void UseBinaryStandardOutput() {}

}  // namespace mvltool
