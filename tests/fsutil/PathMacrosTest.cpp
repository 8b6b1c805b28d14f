#include <gtest/gtest.h>

#include "fsutil/PathMacros.h"
#include "support/SetupStateScope.h"

namespace {

class PathMacrosTest : public ::testing::Test {
protected:
    PathMacrosTest() {
        ::Setup.ProgramFilesDir = "C:\\Program Files";
        ::Setup.CommonFilesDir = "C:\\Program Files\\Common Files";
        ::Setup.InstallFolder = "D:\\Tools";
        ::Setup.WindowsDir = "C:\\WINDOWS";
        ::Setup.SystemDir = "C:\\WINDOWS\\SYSTEM";
    }

    // The expansion of `source`, which must fit a path buffer.
    static std::string Expanded(const std::string& source) {
        const Result<std::string> expanded = ExpandPathMacros(source);
        EXPECT_TRUE(expanded.Ok()) << expanded.Message();
        return expanded.Value();
    }

    SetupStateScope state_;
};

}  // namespace

TEST_F(PathMacrosTest, EveryTokenIsReplacedWhereverItStands) {
    EXPECT_EQ(Expanded("%%PROGPATH%%\\Viewer"), "C:\\Program Files\\Viewer");
    EXPECT_EQ(Expanded("%%COMMONPATH%%\\x.dll"), "C:\\Program Files\\Common Files\\x.dll");
    EXPECT_EQ(Expanded("%%INSTALLPATH%%\\a.exe"), "D:\\Tools\\a.exe");
    EXPECT_EQ(Expanded("%%WINDIR%%\\%%WINSYS%%"), "C:\\WINDOWS\\C:\\WINDOWS\\SYSTEM");
    EXPECT_EQ(Expanded("x%%WINDIR%%y%%WINDIR%%"), "xC:\\WINDOWSyC:\\WINDOWS");
    EXPECT_EQ(Expanded(""), "");
}

TEST_F(PathMacrosTest, AnythingElseIsCopiedAsItStands) {
    EXPECT_EQ(Expanded("%%progpath%%\\a"), "%%progpath%%\\a");
    EXPECT_EQ(Expanded("%PROGPATH%\\a"), "%PROGPATH%\\a");
    EXPECT_EQ(Expanded("100%"), "100%");
    EXPECT_EQ(Expanded("50% off"), "50% off");
    EXPECT_EQ(Expanded("%%OTHER%%\\%%"), "%%OTHER%%\\%%");
    EXPECT_EQ(Expanded("%%WINDIR"), "%%WINDIR");
    // A "%" before a token stays, and the token after it still counts.
    EXPECT_EQ(Expanded("%%%WINDIR%%"), "%C:\\WINDOWS");
}

TEST_F(PathMacrosTest, InsertedTextIsNotScannedAgain) {
    ::Setup.InstallFolder = "C:\\%%WINDIR%%";
    EXPECT_EQ(Expanded("%%INSTALLPATH%%"), "C:\\%%WINDIR%%");
    ::Setup.InstallFolder.clear();
    EXPECT_EQ(Expanded("%%INSTALLPATH%%\\a"), "\\a");
}

TEST_F(PathMacrosTest, ResultOverAPathBufferIsRefused) {
    ::Setup.InstallFolder = std::string(250, 'a');
    EXPECT_EQ(Expanded("%%INSTALLPATH%%\\12345678").size(), 259u);
    const Result<std::string> longer = ExpandPathMacros("%%INSTALLPATH%%\\123456789");
    EXPECT_EQ(longer.Message(), "Path too long: " + std::string(100, 'a') + "...");
}
