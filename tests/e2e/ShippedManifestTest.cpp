#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <memory>
#include <string>

#include "e2e/SetupMedia.h"
#include "e2e/StartedSetup.h"

// What the platform takes from the shipped program's manifest, read through the platform's own
// activation-context functions, and what wine does with it when the program runs.

namespace {

// The record as Windows 10 and wine give it (older headers lack the last field).
struct CompatibilityElement {
    GUID id;
    ACTCTX_COMPATIBILITY_ELEMENT_TYPE type;
    ULONGLONG maxVersionTested;
};

// Windows 7, 8, 8.1, and 10 and 11.
const GUID SupportedSystems[] = {{0x35138b9a, 0x5d96, 0x4fbd, {0x8e, 0x2d, 0xa2, 0x44, 0x02, 0x25, 0xf9, 0x3a}},
                                 {0x4a2f28e3, 0x53b9, 0x4441, {0xba, 0x9c, 0xd6, 0x9d, 0x4a, 0x4a, 0x6e, 0x38}},
                                 {0x1f676c76, 0x80e1, 0x4239, {0x95, 0xbb, 0x83, 0xd0, 0xf6, 0xd0, 0xda, 0x78}},
                                 {0x8e0f7a12, 0xbfb3, 0x4fe8, {0xb9, 0xa5, 0x48, 0xfd, 0x50, 0xa1, 0x5a, 0x9a}}};

// The operating systems the manifest names, as the platform read them.
std::vector<GUID> NamedSystems(HANDLE context) {
    struct {
        DWORD count;
        CompatibilityElement elements[16];
    } information{};
    SIZE_T size = 0;
    QueryActCtxW(0, context, nullptr, CompatibilityInformationInActivationContext, &information, sizeof information,
                 &size);
    std::vector<GUID> systems;
    for (DWORD i = 0; i < std::min<DWORD>(information.count, 16); ++i)
        if (information.elements[i].type == ACTCTX_COMPATIBILITY_ELEMENT_TYPE_OS)
            systems.push_back(information.elements[i].id);
    return systems;
}

// The path of the comctl32.dll a process has loaded, lower case; empty when none.
std::string LoadedCommonControls(DWORD processId) {
    const std::unique_ptr<void, decltype(&CloseHandle)> snapshot(
        CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId), CloseHandle);
    MODULEENTRY32 module{};
    module.dwSize = sizeof module;
    for (BOOL more = Module32First(snapshot.get(), &module); more; more = Module32Next(snapshot.get(), &module)) {
        std::string path = module.szExePath;
        std::transform(path.begin(), path.end(), path.begin(), [](char c) { return static_cast<char>(tolower(c)); });
        if (path.size() >= 13 && path.substr(path.size() - 13) == "\\comctl32.dll") return path;
    }
    return {};
}

// The side-by-side store's folder of the version 6 common controls (the DLL's own version
// resource does not tell the two apart under wine).
constexpr const char* Version6Folder = "\\winsxs\\amd64_microsoft.windows.common-controls_6595b64144ccf1df_6.0.";

}  // namespace

TEST(ShippedManifest, RunsAsItsInvokerStylesTheSupportedSystemsAndDpiAwareness) {
    ACTCTXA request{};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    const std::string program = SetupExePath();
    request.lpSource = program.c_str();
    request.lpResourceName = MAKEINTRESOURCEA(1);
    const std::unique_ptr<void, decltype(&ReleaseActCtx)> manifest(CreateActCtxA(&request), ReleaseActCtx);
    ASSERT_NE(manifest.get(), INVALID_HANDLE_VALUE) << "no manifest the platform can read, error " << GetLastError();

    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION runLevel{};
    SIZE_T size = 0;
    QueryActCtxW(0, manifest.get(), nullptr, RunlevelInformationInActivationContext, &runLevel, sizeof runLevel, &size);
    EXPECT_EQ(runLevel.RunLevel, ACTCTX_RUN_LEVEL_AS_INVOKER) << "it elevates itself only for a package of the machine";
    EXPECT_EQ(runLevel.UiAccess, 0u);

    const std::vector<GUID> named = NamedSystems(manifest.get());
    EXPECT_EQ(named.size(), std::size(SupportedSystems));
    for (const GUID& system : SupportedSystems)
        EXPECT_EQ(std::count(named.begin(), named.end(), system), 1) << std::hex << system.Data1;

    WCHAR dpiAware[16] = {};
    QueryActCtxSettingsW(0, manifest.get(), L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware",
                         dpiAware, 16, &size);
    EXPECT_STREQ(dpiAware, L"true");
    // The ANSI calls carry every character as UTF-8 where the platform honours this.
    WCHAR codePage[16] = {};
    QueryActCtxSettingsW(0, manifest.get(), L"http://schemas.microsoft.com/SMI/2019/WindowsSettings",
                         L"activeCodePage", codePage, 16, &size);
    EXPECT_STREQ(codePage, L"UTF-8");
}

// A program without the manifest (this one) has the System folder's version 5 controls.
TEST(ShippedManifest, TheRunningProgramHasTheVersion6CommonControls) {
    const std::string own = LoadedCommonControls(GetCurrentProcessId());
    EXPECT_NE(own, "");
    EXPECT_EQ(own.find(Version6Folder), std::string::npos) << own;

    const StartedSetup setup;
    ASSERT_NE(setup.Main(), nullptr);
    const std::string loaded = LoadedCommonControls(setup.Program().ProcessId());
    EXPECT_NE(loaded.find(Version6Folder), std::string::npos) << loaded;
}
