#include "uninstall/UninstallFixture.h"

#include <cstring>

#include "fsutil/FinalPath.h"

namespace uninstalltests {

namespace {

void AppendSection(std::string& text, const char* section, const char* keyPrefix,
                   const std::vector<std::string>& values) {
    if (values.empty()) return;
    text += std::string("[") + section + "]\r\n";
    for (size_t i = 0; i < values.size(); ++i)
        text += keyPrefix + std::to_string(i + 1) + "=" + values[i] + "\r\n";
}

constexpr const char* ValueName = "kept";
constexpr const char* ValueText = "from before the install";

}  // namespace

std::string UninstallLogText(const std::string& packageName, const LoggedInstall& install) {
    std::string text = "[Package]\r\nname=" + packageName + "\r\n";
    AppendSection(text, "Directories", "dir", install.directories);
    AppendSection(text, "ProgramFiles", "file", install.files);
    AppendSection(text, "RegistryKeys", "key", install.keys);
    return text;
}

bool KeyExists(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

void MakeKeyWithValue(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr), ERROR_SUCCESS)
        << path;
    RegSetValueExA(key, ValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(ValueText),
                   static_cast<DWORD>(std::strlen(ValueText) + 1));
    RegCloseKey(key);
}

bool KeyHasItsValue(HKEY root, const std::string& path) {
    char value[64] = {};
    DWORD size = sizeof value;
    return RegGetValueA(root, path.c_str(), ValueName, RRF_RT_REG_SZ, nullptr, value, &size) == ERROR_SUCCESS &&
           std::string(value) == ValueText;
}

TestKey::TestKey(HKEY root)
    : root_(root),
      path_(std::string("Software\\SetupTests\\") + ::testing::UnitTest::GetInstance()->current_test_info()->name()) {
    RegDeleteTreeA(root_, path_.c_str());
    MakeKeyWithValue(root_, path_);
}

TestKey::~TestKey() {
    RegDeleteTreeA(root_, path_.c_str());
    // Fails, as it should, while another test's key is still there.
    RegDeleteKeyA(root_, "Software\\SetupTests");
}

UninstallFixture::UninstallFixture() : savedCommandLine_(::Setup.CommandLine) {
    ::Setup.TempDir = temp_.Path() + "\\";
    ::Setup.IsWindowsNT = 1;
    ::Setup.PackageName = PackageName;
    // Visible, so that the immediate repaints really paint.
    ShowWindow(form_.Handle(), SW_SHOWNOACTIVATE);
}

UninstallFixture::~UninstallFixture() { ::Setup.CommandLine = savedCommandLine_; }

void UninstallFixture::LeaveLog(const std::string& installedLog, const LoggedInstall& install) {
    WriteTextFile(installedLog, UninstallLogText(PackageName, install));
    ASSERT_TRUE(CopyFileA(installedLog.c_str(), TempLog().c_str(), FALSE));
    state_.OpenUninstallLog(TempLog());
    ::Setup.CommandLine = installedLog;
    // As the run's start reads it.
    ::Setup.InstalledLogFinalPath = FinalPath(installedLog);
}

void UninstallFixture::MakeFiles(const std::vector<std::string>& paths) const {
    for (const std::string& path : paths) WriteTextFile(path, "installed content of " + path);
}

}  // namespace uninstalltests
