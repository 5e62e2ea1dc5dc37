#include <windows.h>

#include <string>

#include "base/text_encoding.h"

namespace morvel::base {
namespace {

constexpr UINT kCodePage932 = 932;

bool ToWide(UINT codePage, const std::string &text, std::wstring &wide) {
    wide.clear();
    if (text.empty()) return true;
    const int size = static_cast<int>(text.size());
    const int length =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (length <= 0) return false;
    wide.resize(static_cast<size_t>(length));
    return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, &wide[0],
                               length) == length;
}

bool FromWide(UINT codePage, const std::wstring &wide, std::string &out) {
    out.clear();
    if (wide.empty()) return true;
    const int size = static_cast<int>(wide.size());
    // UTF-8 takes neither flags nor a default character.
    const bool strict = codePage != CP_UTF8;
    BOOL usedDefault = FALSE;
    const DWORD flags = strict ? WC_NO_BEST_FIT_CHARS : 0;
    const int length = WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr,
                                           strict ? &usedDefault : nullptr);
    if (length <= 0 || usedDefault) return false;
    out.resize(static_cast<size_t>(length));
    return WideCharToMultiByte(codePage, flags, wide.data(), size, &out[0], length, nullptr,
                               strict ? &usedDefault : nullptr) == length &&
           !usedDefault;
}

}  // namespace

bool Cp932ToUtf8(const std::string &text, std::string &out) {
    std::wstring wide;
    return ToWide(kCodePage932, text, wide) && FromWide(CP_UTF8, wide, out);
}

bool Utf8ToCp932(const std::string &text, std::string &out) {
    std::wstring wide;
    return ToWide(CP_UTF8, text, wide) && FromWide(kCodePage932, wide, out);
}

}  // namespace morvel::base
