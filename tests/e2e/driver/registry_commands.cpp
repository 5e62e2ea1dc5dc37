// Reading and writing the prefix's registry, which the driver shares with the
// program under test through the same wineserver.
#include "text_convert.h"
#include "window_access.h"

namespace morvel::e2e {
namespace {

struct KeyPath {
    HKEY root;
    std::wstring subKey;
};

KeyPath SplitKey(const std::string &key) {
    const std::wstring wide = Utf8ToWide(key);
    const size_t slash = wide.find(L'\\');
    const std::wstring root = wide.substr(0, slash);
    const std::wstring rest = slash == std::wstring::npos ? L"" : wide.substr(slash + 1);
    if (root == L"HKCU" || root == L"HKEY_CURRENT_USER") return {HKEY_CURRENT_USER, rest};
    if (root == L"HKLM" || root == L"HKEY_LOCAL_MACHINE") return {HKEY_LOCAL_MACHINE, rest};
    throw CommandError("unknown registry root in " + key);
}

class Key {
public:
    Key(const std::string &path, bool create) {
        const KeyPath split = SplitKey(path);
        const LONG status =
            create ? RegCreateKeyExW(split.root, split.subKey.c_str(), 0, nullptr, 0,
                                     KEY_ALL_ACCESS, nullptr, &key_, nullptr)
                   : RegOpenKeyExW(split.root, split.subKey.c_str(), 0, KEY_READ, &key_);
        if (status != ERROR_SUCCESS) {
            throw CommandError("cannot open " + path + ", error " + std::to_string(status));
        }
    }
    ~Key() { RegCloseKey(key_); }
    Key(const Key &) = delete;
    Key &operator=(const Key &) = delete;
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

Json ValueJson(DWORD type, const std::vector<BYTE> &data) {
    switch (type) {
        case REG_SZ:
        case REG_EXPAND_SZ: {
            std::wstring text(reinterpret_cast<const wchar_t *>(data.data()),
                              data.size() / sizeof(wchar_t));
            text.resize(wcsnlen(text.c_str(), text.size()));
            return {{"type", type == REG_SZ ? "REG_SZ" : "REG_EXPAND_SZ"},
                    {"data", WideToUtf8(text)}};
        }
        case REG_DWORD: {
            DWORD value = 0;
            if (data.size() >= sizeof value) memcpy(&value, data.data(), sizeof value);
            return {{"type", "REG_DWORD"}, {"data", value}};
        }
        default: {
            Json bytes = Json::array();
            for (BYTE b : data) bytes.push_back(b);
            return {{"type", type}, {"data", bytes}};
        }
    }
}

Json RegQuery(const Json &request) {
    const Key key(request.at("key").get<std::string>(), false);
    Json values = Json::object();
    for (DWORD index = 0;; ++index) {
        wchar_t name[16384];
        DWORD nameLength = 16384, type = 0, size = 0;
        LONG status =
            RegEnumValueW(key.get(), index, name, &nameLength, nullptr, &type, nullptr, &size);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status != ERROR_SUCCESS) throw CommandError("RegEnumValue failed");
        std::vector<BYTE> data(size);
        nameLength = 16384;
        status =
            RegEnumValueW(key.get(), index, name, &nameLength, nullptr, &type, data.data(), &size);
        if (status != ERROR_SUCCESS) throw CommandError("RegEnumValue failed");
        data.resize(size);
        values[WideToUtf8(std::wstring(name, nameLength))] = ValueJson(type, data);
    }
    Json subkeys = Json::array();
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD nameLength = 256;
        if (RegEnumKeyExW(key.get(), index, name, &nameLength, nullptr, nullptr, nullptr,
                          nullptr) != ERROR_SUCCESS) {
            break;
        }
        subkeys.push_back(WideToUtf8(std::wstring(name, nameLength)));
    }
    return {{"values", values}, {"subkeys", subkeys}};
}

Json RegSet(const Json &request) {
    const Key key(request.at("key").get<std::string>(), true);
    const std::wstring name = Utf8ToWide(request.at("name").get<std::string>());
    LONG status;
    if (request.at("data").is_number_integer()) {
        const DWORD value = request["data"].get<DWORD>();
        status = RegSetValueExW(key.get(), name.c_str(), 0, REG_DWORD,
                                reinterpret_cast<const BYTE *>(&value), sizeof value);
    } else {
        const std::wstring text = Utf8ToWide(request["data"].get<std::string>());
        status = RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE *>(text.c_str()),
                                static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    if (status != ERROR_SUCCESS)
        throw CommandError("RegSetValueEx failed, error " + std::to_string(status));
    return Json::object();
}

}  // namespace

void AddRegistryCommands(CommandTable &table) {
    table["reg_query"] = RegQuery;
    table["reg_set"] = RegSet;
}

}  // namespace morvel::e2e
