#include <gtest/gtest.h>

#include "base/FullPath.h"

// What the platform would not take relative to the current folder or drive: a drive's root path or
// a share on a server. Devices ("\\?\", "\\.\") and a server or share left empty are not full paths.
TEST(FullPath, ADrivePathOrAServersShareAndNothingElse) {
    const struct {
        const char* path;
        bool full;
    } cases[] = {
        {"C:\\App", true},           {"z:\\", true},
        {"C:App", false},            {"C:", false},
        {"\\App", false},            {"App\\C:\\", false},
        {"1:\\App", false},          {"\\\\server\\share", true},
        {"\\\\s\\x", true},          {"\\\\server\\share\\App", true},
        {"\\\\server", false},       {"\\\\server\\", false},
        {"\\\\\\share", false},      {"\\\\server\\\\share", false},
        {"\\\\?\\C:\\App", false},   {"\\\\.\\pipe\\x", false},
        {"\\\\??\\share", true},     {"\\\\..\\share", true},
        {"//server/share", false},   {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsFullPath(c.path), c.full) << c.path;
}
