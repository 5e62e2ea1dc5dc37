#include "app/win32/pose_clipboard.h"

#include <cstring>

namespace morvel::app::win32 {
namespace {

UINT PoseFormat() {
    static const UINT format = RegisterClipboardFormatA("Morvel.Pose.Json");
    return format;
}

// A movable global block holding size bytes of data; nullptr when memory runs out.
HGLOBAL GlobalCopy(const void *data, size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (block == nullptr) return nullptr;
    void *target = GlobalLock(block);
    if (target == nullptr) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(target, data, size);
    GlobalUnlock(block);
    return block;
}

bool Put(UINT format, const void *data, size_t size) {
    HGLOBAL block = GlobalCopy(data, size);
    if (block == nullptr) return false;
    if (SetClipboardData(format, block) != nullptr) return true;  // the clipboard owns it now
    GlobalFree(block);
    return false;
}

// The bytes of a clipboard block, at most its size (GlobalSize may round up).
std::string Bytes(HANDLE block) {
    const void *data = block != nullptr ? GlobalLock(block) : nullptr;
    if (data == nullptr) return {};
    std::string bytes(static_cast<const char *>(data), GlobalSize(block));
    GlobalUnlock(block);
    return bytes;
}

std::wstring Utf16(const std::string &utf8) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), length);
    return text;
}

std::string Utf8(const wchar_t *text, size_t maxLength) {
    const size_t length = wcsnlen(text, maxLength);
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), out.data(), size, nullptr, nullptr);
    return out;
}

}  // namespace

bool PutPoseOnClipboard(HWND owner, const std::string &json) {
    if (!OpenClipboard(owner)) return false;
    EmptyClipboard();
    const std::wstring text = Utf16(json);
    const bool done = Put(PoseFormat(), json.data(), json.size()) &&
                      Put(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    CloseClipboard();
    return done;
}

std::string PoseFromClipboard(HWND owner) {
    if (!OpenClipboard(owner)) return {};
    std::string json;
    if (IsClipboardFormatAvailable(PoseFormat())) {
        json = Bytes(GetClipboardData(PoseFormat()));
        json.resize(strnlen(json.c_str(), json.size()));  // the block's rounding up
    } else if (HANDLE block = GetClipboardData(CF_UNICODETEXT)) {
        const void *data = GlobalLock(block);
        if (data != nullptr) {
            json = Utf8(static_cast<const wchar_t *>(data), GlobalSize(block) / sizeof(wchar_t));
            GlobalUnlock(block);
        }
    }
    CloseClipboard();
    return json;
}

}  // namespace morvel::app::win32
