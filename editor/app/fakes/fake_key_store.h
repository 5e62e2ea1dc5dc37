// An in-memory registry for the recent-file tests, with failures on demand.
#pragma once

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/key_store.h"

namespace morvel::app::fakes {

class FakeKeyStore : public KeyStore {
public:
    struct Key {
        std::map<std::string, std::string> values;  // REG_SZ data without its zero
        bool isVolatile = false;
    };
    std::map<std::string, Key> keys;  // by subkey path

    long createResult = 0;               // non-zero: CreateKey fails with it
    std::set<std::string> failingWrites;  // value names whose SetString fails
    std::vector<std::string> writes;     // value names written, in order
    std::vector<KeyAccess> accesses;
    int openKeys = 0;                    // handles not yet closed

    long CreateKey(const std::string &subkey, KeyAccess access, bool isVolatile, KeyHandle &key,
                   bool &createdNew) override {
        accesses.push_back(access);
        if (createResult != 0) return createResult;
        createdNew = keys.count(subkey) == 0;
        Key &k = keys[subkey];
        if (createdNew) k.isVolatile = isVolatile;
        handles_.push_back(subkey);
        key = handles_.size();
        ++openKeys;
        return 0;
    }

    long SetString(KeyHandle key, const std::string &name, const std::string &text) override {
        if (failingWrites.count(name)) return 5;  // ERROR_ACCESS_DENIED
        writes.push_back(name);
        keys[handles_.at(key - 1)].values[name] = text;
        return 0;
    }

    long QueryValue(KeyHandle key, const std::string &name, char *buffer, uint32_t &size) override {
        const Key &k = keys[handles_.at(key - 1)];
        const auto found = k.values.find(name);
        if (found == k.values.end()) return 2;  // ERROR_FILE_NOT_FOUND
        const uint32_t needed = static_cast<uint32_t>(found->second.size() + 1);
        if (needed > size) {
            size = needed;
            return 234;  // ERROR_MORE_DATA
        }
        std::memcpy(buffer, found->second.c_str(), needed);
        size = needed;
        return 0;
    }

    void CloseKey(KeyHandle) override { --openKeys; }

private:
    std::vector<std::string> handles_;
};

}  // namespace morvel::app::fakes
