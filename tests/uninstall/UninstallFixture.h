#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "support/SetupStateScope.h"
#include "support/TestFiles.h"
#include "uninstall/UninstallForm.h"

// Helpers of the uninstall tests.
namespace uninstalltests {

// What an install left behind, as its log records it.
struct LoggedInstall {
    std::vector<std::string> directories;
    std::vector<std::string> files;
    std::vector<std::string> keys;
};

// The installed log for `install`; a section without entries is left out.
std::string UninstallLogText(const std::string& packageName, const LoggedInstall& install);

bool KeyExists(HKEY root, const std::string& path);
// Creates the key with one value in it.
void MakeKeyWithValue(HKEY root, const std::string& path);
bool KeyHasItsValue(HKEY root, const std::string& path);

// root\Software\SetupTests\<test name>, removed with everything below it at the end.
class TestKey {
public:
    explicit TestKey(HKEY root);
    ~TestKey();
    TestKey(const TestKey&) = delete;
    TestKey& operator=(const TestKey&) = delete;

    // The path below the root, without a leading "\".
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    HKEY root_;
    std::string path_;
};

// A visible uninstall window over a Temp folder of the test's own, run by calling its
// activation handler directly, as showing it would.
class UninstallFixture : public ::testing::Test {
protected:
    UninstallFixture();
    ~UninstallFixture() override;

    // Leaves the installed log at `installedLog` and opens its Temp copy as the main window
    // does before an uninstall.
    void LeaveLog(const std::string& installedLog, const LoggedInstall& install);
    std::string TempLog() const { return temp_ / "uninstal.ini"; }
    // Makes installed files, each with some content.
    void MakeFiles(const std::vector<std::string>& paths) const;
    void Run() { EXPECT_TRUE(form_.FormActivate().Ok()); }

    static constexpr const char* PackageName = "Example Editor";

    TempFolder temp_;
    TempFolder disk_;
    SetupStateScope state_;
    std::string savedCommandLine_;
    TUninstallForm form_;
};

}  // namespace uninstalltests
