#include "app/registry_key.h"

namespace morvel::app {

long RegistryKey::Open(const std::string &subkey, const std::string &mode) {
    KeyAccess access;
    switch (mode.empty() ? '\0' : mode[0]) {
        case '\0':
        case 'r': access = KeyAccess::Read; break;
        case 'a': access = KeyAccess::All; break;
        case 'w': access = KeyAccess::WriteAndQuery; break;
        default: return kRegistryBadMode;
    }
    const bool isVolatile = mode.size() > 1 && mode[1] == 'v';
    Close();
    bool created = false;
    KeyHandle key = 0;
    const long result = store_.CreateKey(subkey, access, isVolatile, key, created);
    if (result != 0) return result;
    key_ = key;
    createdNew_ = created;
    return 0;
}

void RegistryKey::Close() {
    if (key_ == 0) return;
    store_.CloseKey(key_);
    key_ = 0;
}

long RegistryKey::SetString(const std::string &name, const std::string &text) {
    return store_.SetString(key_, name, text);
}

long RegistryKey::Query(const std::string &name, char *buffer, uint32_t size) {
    uint32_t read = size;
    return store_.QueryValue(key_, name, buffer, read);
}

}  // namespace morvel::app
