#include <gtest/gtest.h>

#include "base/SetupError.h"
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

    SetupStateScope state_;
};

}  // namespace

TEST_F(PathMacrosTest, EveryTokenIsReplacedWhereverItStands) {
    EXPECT_EQ(ExpandPathMacros("%%PROGPATH%%\\Viewer"), "C:\\Program Files\\Viewer");
    EXPECT_EQ(ExpandPathMacros("%%COMMONPATH%%\\x.dll"), "C:\\Program Files\\Common Files\\x.dll");
    EXPECT_EQ(ExpandPathMacros("%%INSTALLPATH%%\\a.exe"), "D:\\Tools\\a.exe");
    EXPECT_EQ(ExpandPathMacros("%%WINDIR%%\\%%WINSYS%%"), "C:\\WINDOWS\\C:\\WINDOWS\\SYSTEM");
    EXPECT_EQ(ExpandPathMacros("x%%WINDIR%%y%%WINDIR%%"), "xC:\\WINDOWSyC:\\WINDOWS");
    EXPECT_EQ(ExpandPathMacros(""), "");
}

TEST_F(PathMacrosTest, AnythingElseIsCopiedAsItStands) {
    EXPECT_EQ(ExpandPathMacros("%%progpath%%\\a"), "%%progpath%%\\a");
    EXPECT_EQ(ExpandPathMacros("%PROGPATH%\\a"), "%PROGPATH%\\a");
    EXPECT_EQ(ExpandPathMacros("100%"), "100%");
    EXPECT_EQ(ExpandPathMacros("50% off"), "50% off");
    EXPECT_EQ(ExpandPathMacros("%%OTHER%%\\%%"), "%%OTHER%%\\%%");
    EXPECT_EQ(ExpandPathMacros("%%WINDIR"), "%%WINDIR");
    // A "%" before a token stays, and the token after it still counts.
    EXPECT_EQ(ExpandPathMacros("%%%WINDIR%%"), "%C:\\WINDOWS");
}

TEST_F(PathMacrosTest, InsertedTextIsNotScannedAgain) {
    ::Setup.InstallFolder = "C:\\%%WINDIR%%";
    EXPECT_EQ(ExpandPathMacros("%%INSTALLPATH%%"), "C:\\%%WINDIR%%");
    ::Setup.InstallFolder.clear();
    EXPECT_EQ(ExpandPathMacros("%%INSTALLPATH%%\\a"), "\\a");
}

TEST_F(PathMacrosTest, ResultOverAPathBufferIsRefused) {
    ::Setup.InstallFolder = std::string(250, 'a');
    EXPECT_EQ(ExpandPathMacros("%%INSTALLPATH%%\\12345678").size(), 259u);
    EXPECT_THROW(ExpandPathMacros("%%INSTALLPATH%%\\123456789"), SetupError);
}
