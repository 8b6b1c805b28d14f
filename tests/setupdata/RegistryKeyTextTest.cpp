#include <gtest/gtest.h>

#include "setupdata/RegistryKeyText.h"

TEST(RegistryKeyText, SplitsAtTheFirstBackslash) {
    const auto key = SplitRegistryKeyText("HKEY_LOCAL_MACHINE\\Software\\Example Editor");
    ASSERT_TRUE(key);
    EXPECT_EQ(key->rootName, "HKEY_LOCAL_MACHINE");
    EXPECT_EQ(key->keyPath, "\\Software\\Example Editor");

    const auto bare = SplitRegistryKeyText("\\Software");
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->rootName, "");
    EXPECT_EQ(bare->keyPath, "\\Software");

    EXPECT_FALSE(SplitRegistryKeyText("HKEY_CURRENT_USER"));
    EXPECT_FALSE(SplitRegistryKeyText(""));
}

TEST(RegistryKeyText, InstallRootsMatchExactlyElseLocalMachine) {
    EXPECT_EQ(InstallRootKey("HKEY_CLASSES_ROOT"), HKEY_CLASSES_ROOT);
    EXPECT_EQ(InstallRootKey("HKEY_CURRENT_USER"), HKEY_CURRENT_USER);
    EXPECT_EQ(InstallRootKey("HKEY_USERS"), HKEY_USERS);
    EXPECT_EQ(InstallRootKey("HKEY_CURRENT_CONFIG"), HKEY_CURRENT_CONFIG);
    EXPECT_EQ(InstallRootKey("HKEY_DYN_DATA"), HKEY_DYN_DATA);
    for (const char* name : {"HKEY_LOCAL_MACHINE", "HKLM", "hkey_current_user", "HKEY_CURRENT_USER ", ""})
        EXPECT_EQ(InstallRootKey(name), HKEY_LOCAL_MACHINE) << name;
}

TEST(RegistryKeyText, UninstallKnowsFourRootsOnly) {
    EXPECT_EQ(UninstallRootKey("HKEY_CURRENT_USER"), HKEY_CURRENT_USER);
    EXPECT_EQ(UninstallRootKey("HKEY_LOCAL_MACHINE"), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(UninstallRootKey("HKEY_USERS"), HKEY_USERS);
    EXPECT_EQ(UninstallRootKey("HKEY_CLASSES_ROOT"), HKEY_CLASSES_ROOT);
    for (const char* name : {"HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA", "HKLM", "hkey_local_machine"})
        EXPECT_FALSE(UninstallRootKey(name)) << name;
}
