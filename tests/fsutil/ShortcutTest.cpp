#include <gtest/gtest.h>
#include <objbase.h>

#include <map>
#include <sstream>
#include <thread>

#include "base/PathLimit.h"
#include "fsutil/Shortcut.h"
#include "support/SetupStateScope.h"
#include "support/TestFiles.h"
#include "support/UnixTools.h"

namespace {

// The link's properties as lnkinfo, a reader no one here wrote, reports them: lines of a name,
// tabs, ": " and the value. The first line of each name is the link's own (later ones describe
// the target's shell items).
std::map<std::string, std::string> ReadLinkWithLnkinfo(const std::string& linkPath) {
    const UnixCommandResult result = RunUnixScript("lnkinfo " + ShellQuoted(UnixPathOf(linkPath)) + "\n");
    EXPECT_EQ(result.exitCode, 0) << result.output;
    std::map<std::string, std::string> fields;
    std::istringstream lines(result.output);
    for (std::string line; std::getline(lines, line);) {
        const size_t separator = line.find("\t: ");
        if (separator == std::string::npos) continue;
        const size_t nameStart = line.find_first_not_of('\t');
        const size_t nameEnd = line.find_last_not_of('\t', separator);
        const size_t valueEnd = line.find_last_not_of("\r");
        fields.emplace(line.substr(nameStart, nameEnd - nameStart + 1), line.substr(separator + 3, valueEnd - separator - 2));
    }
    return fields;
}

class ShortcutTest : public ::testing::Test {
protected:
    ShortcutTest() {
        CreateDirectoryA((folder_ / "bin").c_str(), nullptr);
        WriteTextFile(target_, "MZ");
        ::Setup.InstallFolder = folder_ / "install";
        CreateDirectoryA(::Setup.InstallFolder.c_str(), nullptr);
    }

    TempFolder folder_;
    SetupStateScope state_;
    const std::string target_ = folder_ / "bin\\viewer.exe";
};

}  // namespace

TEST_F(ShortcutTest, LinkReadsBackWithTargetDescriptionAndInstallFolder) {
    const std::string link = folder_ / "Example Viewer.lnk";
    ASSERT_TRUE(CreateShortcut(target_, "Example Viewer", link).Ok());
    ASSERT_TRUE(FileExists(link));

    auto fields = ReadLinkWithLnkinfo(link);
    EXPECT_EQ(fields["Local path"], target_);
    EXPECT_EQ(fields["Description"], "Example Viewer");
    EXPECT_EQ(fields["Working directory"], ::Setup.InstallFolder);

    // Saving again over the same path replaces the link.
    ASSERT_TRUE(CreateShortcut(target_, "Second", link).Ok());
    fields = ReadLinkWithLnkinfo(link);
    EXPECT_EQ(fields["Description"], "Second");
}

TEST_F(ShortcutTest, MissingLinkFolderWritesNothingAndStillSucceeds) {
    const std::string link = folder_ / "missing\\Viewer.lnk";
    EXPECT_TRUE(CreateShortcut(target_, "Viewer", link).Ok());
    EXPECT_FALSE(FileExists(link));
}

TEST_F(ShortcutTest, OverlongPathsAreRefused) {
    const std::string longLink = folder_ / std::string(260, 'l') + ".lnk";
    EXPECT_EQ(CreateShortcut(target_, "Viewer", longLink).Message(), PathTooLongText(longLink));
    EXPECT_EQ(CreateShortcut(std::string(260, 't'), "Viewer", folder_ / "Viewer.lnk").Message(),
              PathTooLongText(std::string(260, 't')));
    EXPECT_FALSE(FileExists(folder_ / "Viewer.lnk"));
}

TEST_F(ShortcutTest, LeavesAnEarlierInitialisationOfTheThreadAsItWas) {
    // A thread in the multithreaded model cannot be initialised again as an apartment: a failure,
    // and the failed initialisation must not be undone on that thread.
    HRESULT afterwards = E_FAIL;
    Status result;
    std::thread([&] {
        if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) return;
        result = CreateShortcut(target_, "Viewer", folder_ / "Mta.lnk");
        afterwards = CoInitializeEx(nullptr, COINIT_MULTITHREADED);  // S_FALSE while still initialised
        CoUninitialize();
        CoUninitialize();
    }).join();
    EXPECT_EQ(result.Message(), "The shortcut " + folder_ / "Mta.lnk" +
                                    " was not made: the shell's components could not be started");
    EXPECT_EQ(afterwards, S_FALSE);
    EXPECT_FALSE(FileExists(folder_ / "Mta.lnk"));

    // An apartment thread stays initialised after a shortcut made on it.
    std::thread([&] {
        if (FAILED(CoInitialize(nullptr))) return;
        result = CreateShortcut(target_, "Viewer", folder_ / "Sta.lnk");
        afterwards = CoInitialize(nullptr);
        CoUninitialize();
        CoUninitialize();
    }).join();
    EXPECT_TRUE(result.Ok()) << result.Message();
    EXPECT_EQ(afterwards, S_FALSE);
    EXPECT_TRUE(FileExists(folder_ / "Sta.lnk"));
}
