#include <iconv.h>

#include <string>

#include "base/text_encoding.h"

namespace morvel::base {
namespace {

bool Convert(const char *to, const char *from, const std::string &text, std::string &out) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::string result(text.size() * 4 + 4, '\0');
    char *in = const_cast<char *>(text.data());
    size_t inLeft = text.size();
    char *outAt = &result[0];
    size_t outLeft = result.size();
    const size_t done = iconv(cd, &in, &inLeft, &outAt, &outLeft);
    const bool flushed = iconv(cd, nullptr, nullptr, &outAt, &outLeft) != static_cast<size_t>(-1);
    iconv_close(cd);
    if (done == static_cast<size_t>(-1) || inLeft != 0 || !flushed) return false;
    result.resize(result.size() - outLeft);
    out = result;
    return true;
}

}  // namespace

bool Cp932ToUtf8(const std::string &text, std::string &out) {
    return Convert("UTF-8", "CP932", text, out);
}

bool Utf8ToCp932(const std::string &text, std::string &out) {
    return Convert("CP932", "UTF-8", text, out);
}

}  // namespace morvel::base
