#include "app/win32/win32_key_store.h"

#include <windows.h>

namespace morvel::app::win32 {

namespace {

HKEY Handle(KeyHandle key) { return reinterpret_cast<HKEY>(key); }

REGSAM AccessOf(KeyAccess access) {
    switch (access) {
        case KeyAccess::All: return KEY_ALL_ACCESS;
        case KeyAccess::WriteAndQuery: return KEY_WRITE | KEY_QUERY_VALUE;
        case KeyAccess::Read: break;
    }
    return KEY_READ;
}

}  // namespace

long Win32KeyStore::CreateKey(const std::string &subkey, KeyAccess access, bool isVolatile,
                              KeyHandle &key, bool &createdNew) {
    HKEY opened = nullptr;
    DWORD disposition = 0;
    const LONG result = RegCreateKeyExA(HKEY_CURRENT_USER, subkey.c_str(), 0, nullptr,
                                        isVolatile ? REG_OPTION_VOLATILE : REG_OPTION_NON_VOLATILE,
                                        AccessOf(access), nullptr, &opened, &disposition);
    if (result != ERROR_SUCCESS) return result;
    key = reinterpret_cast<KeyHandle>(opened);
    createdNew = disposition == REG_CREATED_NEW_KEY;
    return 0;
}

long Win32KeyStore::SetString(KeyHandle key, const std::string &name, const std::string &text) {
    return RegSetValueExA(Handle(key), name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE *>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1));
}

long Win32KeyStore::QueryValue(KeyHandle key, const std::string &name, char *buffer,
                               uint32_t &size) {
    DWORD bytes = size;
    const LONG result = RegQueryValueExA(Handle(key), name.c_str(), nullptr, nullptr,
                                         reinterpret_cast<BYTE *>(buffer), &bytes);
    size = bytes;
    return result;
}

void Win32KeyStore::CloseKey(KeyHandle key) { RegCloseKey(Handle(key)); }

}  // namespace morvel::app::win32
