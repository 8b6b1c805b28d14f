#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "SetupVersion.h"
#include "e2e/SetupMedia.h"
#include "e2e/StartedSetup.h"
#include "support/UnixTools.h"

// What the file manager and the title bars show of the shipped program, read back from the
// built file and from the running program's window.

namespace {

// A text of a version resource, in the language and code page it lists first.
std::string VersionText(const std::vector<char>& resource, const char* name) {
    WORD* language = nullptr;
    char* text = nullptr;
    UINT size = 0;
    if (!VerQueryValueA(resource.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&language), &size))
        return {};
    char path[128];
    std::snprintf(path, sizeof path, "\\StringFileInfo\\%04x%04x\\%s", language[0], language[1], name);
    return VerQueryValueA(resource.data(), path, reinterpret_cast<void**>(&text), &size) ? text : "";
}

int IconWidth(HICON icon) {
    ICONINFO info{};
    BITMAP picture{};
    if (!icon || !GetIconInfo(icon, &info)) return 0;
    GetObjectA(info.hbmColor, sizeof picture, &picture);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return picture.bmWidth;
}

}  // namespace

TEST(FileProperties, ShowTheProductItsVersionFromTheBuildItsAuthorsAndCopyright) {
    const std::string program = SetupExePath();
    DWORD ignored = 0;
    std::vector<char> resource(GetFileVersionInfoSizeA(program.c_str(), &ignored));
    ASSERT_FALSE(resource.empty());
    ASSERT_TRUE(GetFileVersionInfoA(program.c_str(), 0, static_cast<DWORD>(resource.size()), resource.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueA(resource.data(), "\\", reinterpret_cast<void**>(&fixed), &size));
    char numbers[32];
    std::snprintf(numbers, sizeof numbers, "%u.%u.%u.%u", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                  HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
    EXPECT_STREQ(numbers, SETUP_VERSION_TEXT);
    EXPECT_EQ(VersionText(resource, "FileVersion"), SETUP_VERSION_TEXT);
    EXPECT_EQ(VersionText(resource, "ProductVersion"), SETUP_VERSION_TEXT);
    for (const char* shown : {"ProductName", "CompanyName", "LegalCopyright", "FileDescription"})
        EXPECT_NE(VersionText(resource, shown), "") << shown;
}

TEST(FileProperties, TheFileManagerAndTheWindowsShowTheProgramIcon) {
    HICON large = nullptr, small = nullptr;
    ASSERT_EQ(ExtractIconExA(SetupExePath().c_str(), 0, &large, &small, 1), 2u);
    EXPECT_EQ(IconWidth(large), GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(IconWidth(small), GetSystemMetrics(SM_CXSMICON));
    DestroyIcon(large);
    DestroyIcon(small);

    // Title bar and task bar of the X desktop show the pictures wine gives the X window: the
    // program's orange arrow (0xFFFFA828) rather than the platform's default picture.
    const StartedSetup setup;
    ASSERT_NE(setup.Main(), nullptr);
    const auto window = reinterpret_cast<UINT_PTR>(GetPropA(setup.Main(), "__wine_x11_whole_window"));
    std::string icon;
    ui::WaitUntil([&] {
        icon = RunUnixScript("xprop -id " + std::to_string(window) + " -notype 32c _NET_WM_ICON\n").output;
        return icon.find("_NET_WM_ICON =") != std::string::npos;
    });
    EXPECT_NE(icon.find("4294944808"), std::string::npos) << icon.substr(0, 200);
}
