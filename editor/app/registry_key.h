// One open key of the KeyStore, opened with a mode text: "" or "r" read,
// "a" all access, "w" write plus value queries; a second character "v"
// makes a newly created key volatile.
#pragma once

#include <cstdint>
#include <string>

#include "app/key_store.h"

namespace morvel::app {

constexpr long kRegistryBadMode = -1;

class RegistryKey {
public:
    explicit RegistryKey(KeyStore &store) : store_(store) {}
    ~RegistryKey() { Close(); }
    RegistryKey(const RegistryKey &) = delete;
    RegistryKey &operator=(const RegistryKey &) = delete;

    // Opens subkey of HKEY_CURRENT_USER, creating it when missing. 0, the
    // system's error code, or kRegistryBadMode without asking the system.
    long Open(const std::string &subkey, const std::string &mode);
    void Close();
    long SetString(const std::string &name, const std::string &text);
    // Reads at most size bytes into buffer; 0 on success.
    long Query(const std::string &name, char *buffer, uint32_t size);

    bool IsOpen() const { return key_ != 0; }
    // Whether the last successful Open created the key.
    bool CreatedNew() const { return createdNew_; }

private:
    KeyStore &store_;
    KeyHandle key_ = 0;
    bool createdNew_ = false;
};

}  // namespace morvel::app
