// What Windows tells of a file inside the prefix: the strings of its version
// resource, as Explorer's Properties page reads them.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "driver_command.h"
#include "text_convert.h"

namespace morvel::e2e {
namespace {

Json FileVersion(const Json &request) {
    const std::wstring path = Utf8ToWide(request.at("path").get<std::string>());
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
    if (size == 0) {
        throw CommandError("no version resource in " + request["path"].get<std::string>() +
                           ", error " + std::to_string(GetLastError()));
    }
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) {
        throw CommandError("GetFileVersionInfo failed, error " + std::to_string(GetLastError()));
    }
    struct Translation {
        WORD language, codePage;
    };
    Translation *translations = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                        reinterpret_cast<void **>(&translations), &length) ||
        length < sizeof(Translation)) {
        throw CommandError("the version resource names no translation");
    }
    char hex[9];
    std::snprintf(hex, sizeof hex, "%04X%04X", translations->language, translations->codePage);
    const std::wstring table = Utf8ToWide(hex);
    Json strings = Json::object();
    for (const wchar_t *name :
         {L"CompanyName", L"FileDescription", L"FileVersion", L"InternalName", L"LegalCopyright",
          L"OriginalFilename", L"ProductName", L"ProductVersion"}) {
        const std::wstring query = std::wstring(L"\\StringFileInfo\\") + table + L"\\" + name;
        wchar_t *value = nullptr;
        if (VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void **>(&value),
                           &length) &&
            value != nullptr) {
            strings[WideToUtf8(name)] = WideToUtf8(value);
        }
    }
    return {{"translation", hex}, {"strings", strings}};
}

}  // namespace

void AddFileCommands(CommandTable &table) {
    table["file_version"] = FileVersion;
}

}  // namespace morvel::e2e
