// The KeyStore over the registry of the current user.
#pragma once

#include "app/key_store.h"

namespace morvel::app::win32 {

class Win32KeyStore : public KeyStore {
public:
    long CreateKey(const std::string &subkey, KeyAccess access, bool isVolatile, KeyHandle &key,
                   bool &createdNew) override;
    long SetString(KeyHandle key, const std::string &name, const std::string &text) override;
    long QueryValue(KeyHandle key, const std::string &name, char *buffer, uint32_t &size) override;
    void CloseKey(KeyHandle key) override;
};

}  // namespace morvel::app::win32
