#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

namespace {

TEST(MvlLibDll, ExportsTheSevenFunctionsByUndecoratedName) {
    HMODULE dll = LoadLibraryA("MvlLib.dll");
    ASSERT_NE(dll, nullptr) << "MvlLib.dll not found beside the test program";
    for (const char *name : {"Mvl_Func_ObjectInit", "Mvl_Func_Delete", "Mvl_Func_Copy",
                             "Mvl_Func_Ram_Release", "Mvl_Func_GetVersion", "Mvl_Func_Load",
                             "Mvl_Func_Shuffle"}) {
        EXPECT_NE(GetProcAddress(dll, name), nullptr) << name;
    }
    EXPECT_EQ(GetProcAddress(dll, "_Mvl_Func_Load"), nullptr);
    EXPECT_EQ(GetProcAddress(dll, "Mvl_Func_Load@12"), nullptr);

    using GetVersionFn = char *(__cdecl *)(char *);
    auto getVersion = reinterpret_cast<GetVersionFn>(
        reinterpret_cast<void *>(GetProcAddress(dll, "Mvl_Func_GetVersion")));
    ASSERT_NE(getVersion, nullptr);
    char buffer[8] = {};
    EXPECT_STREQ(getVersion(buffer), "1.00");
    FreeLibrary(dll);
}

// What Explorer's Properties page shows of the DLL.
TEST(MvlLibDll, CarriesItsVersionResource) {
    const DWORD size = GetFileVersionInfoSizeA("MvlLib.dll", nullptr);
    ASSERT_GT(size, 0u);
    std::string block(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoA("MvlLib.dll", 0, size, block.data()));
    const auto text = [&block](const char *name) {
        void *value = nullptr;
        UINT length = 0;
        const std::string path = std::string("\\StringFileInfo\\041104B0\\") + name;
        if (!VerQueryValueA(block.data(), path.c_str(), &value, &length)) return std::string();
        return std::string(static_cast<const char *>(value));
    };
    EXPECT_EQ(text("FileVersion"), "1.00");
    EXPECT_EQ(text("ProductName"), "MvlLib");
    EXPECT_EQ(text("CompanyName"), "Kelvarin");
}

}  // namespace
