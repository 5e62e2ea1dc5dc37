// The recent-file key in Wine's real registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/fakes/fake_shell.h"
#include "app/recent_files.h"
#include "app/registry_key.h"
#include "app/win32/win32_key_store.h"

namespace morvel::app {
namespace {

class KeyStoreTest : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey); }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey); }
    win32::Win32KeyStore store;
};

TEST_F(KeyStoreTest, OpenReportsWhetherTheKeyWasCreated) {
    RegistryKey key(store);
    ASSERT_EQ(key.Open(kSettingsKey, "w"), 0);
    EXPECT_TRUE(key.CreatedNew());
    EXPECT_EQ(key.SetString("Ago_OpenFilne0", "C:\\データ\\walk.mvl"), 0);
    key.Close();
    ASSERT_EQ(key.Open(kSettingsKey, "r"), 0);
    EXPECT_FALSE(key.CreatedNew());
    char value[1024] = {};
    EXPECT_EQ(key.Query("Ago_OpenFilne0", value, sizeof value), 0);
    EXPECT_STREQ(value, "C:\\データ\\walk.mvl");
    char small[4] = {};
    EXPECT_EQ(key.Query("Ago_OpenFilne0", small, sizeof small), ERROR_MORE_DATA);
    EXPECT_EQ(key.Query("missing", value, sizeof value), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key.Open(kSettingsKey, "x"), kRegistryBadMode);
}

TEST_F(KeyStoreTest, StartUpCreatesFiveEmptyValuesAndReadsThemBack) {
    fakes::FakeShell shell;
    RecentFiles files{};
    LoadRecentFiles(files, store, shell);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    for (int i = 0; i < kRecentFileCount; ++i) {
        DWORD type = 0, size = 0;
        EXPECT_EQ(RegQueryValueExA(key, RecentFileValueName(i).c_str(), nullptr, &type, nullptr, &size),
                  ERROR_SUCCESS);
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(size, 1u) << "an empty string with its terminating zero";
    }
    RegCloseKey(key);

    document::PathBuffer path{};
    const std::string walk = "Z:\\robot\\walk.mvl";
    std::copy(walk.begin(), walk.end(), path.begin());
    AddRecentFile(files, path, store);
    RecentFiles again{};
    LoadRecentFiles(again, store, shell);
    EXPECT_STREQ(again[0].data(), walk.c_str());
    EXPECT_STREQ(again[1].data(), "");
}

}  // namespace
}  // namespace morvel::app
