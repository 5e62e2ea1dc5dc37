// The KeyStore port: the per-user registry key that holds the recent files.
// Win32: the real registry under HKEY_CURRENT_USER. Tests: in memory.
#pragma once

#include <cstdint>
#include <string>

namespace morvel::app {

enum class KeyAccess { Read, All, WriteAndQuery };

// A key as the store hands it out; 0 is "none".
using KeyHandle = uintptr_t;

class KeyStore {
public:
    virtual ~KeyStore() = default;
    // RegCreateKeyExA under HKEY_CURRENT_USER: opens subkey, creating it
    // when missing. 0 or the system's error code.
    virtual long CreateKey(const std::string &subkey, KeyAccess access, bool isVolatile,
                           KeyHandle &key, bool &createdNew) = 0;
    // A REG_SZ value with its terminating zero.
    virtual long SetString(KeyHandle key, const std::string &name, const std::string &text) = 0;
    // Reads at most *size bytes into buffer; *size becomes the value's size.
    virtual long QueryValue(KeyHandle key, const std::string &name, char *buffer,
                            uint32_t &size) = 0;
    virtual void CloseKey(KeyHandle key) = 0;
};

}  // namespace morvel::app
