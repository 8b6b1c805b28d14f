#include <gtest/gtest.h>

#include "app/MainForm.h"
#include "app/StartupEnvironment.h"
#include "base/TextEncoding.h"
#include "state/SetupState.h"
#include "support/LoggedKeys.h"
#include "support/ScriptedUi.h"
#include "support/TestFiles.h"

namespace {

using Lines = std::vector<std::string>;

// FormActivate on a main window of the test's own, started from a media folder, with the Temp
// directory and the registry's Program Files and Common Files folders pointed at test folders.
class MainFormStartupTest : public ::testing::Test {
protected:
    MainFormStartupTest() {
        ::Setup = SetupState{};
        // As the program finds itself under wine, which runs every process elevated.
        ::Setup.Elevated = true;
        tmp_.Set(temp_.Path());
        programFiles_.Set(folders_.Path());
        commonFiles_.Set(folders_.Path());
        SetCurrentDirectoryA(media_.Path().c_str());
        ::Setup.MediaDir = media_.Path() + "\\";
    }
    ~MainFormStartupTest() override { ::Setup = SetupState{}; }

    void WriteScript(const std::string& name) {
        WriteTextFile(media_ / "install.ini", "[Package]\r\nname=" + name + "\r\n");
    }

    // The run's working copies live in a folder of its own inside the Temp folder.
    std::string WorkCopy(const char* name) const { return ::Setup.TempDir + name; }
    // The text a working copy holds, which the run keeps in UTF-16.
    std::string CopyText(const char* name) const { return FromUtf16(DecodeAuthorText(ReadTextFile(WorkCopy(name)))); }
    std::string LogText() const { return CopyText("uninstal.ini"); }

    void ExpectOneFatalError(const std::string& text) {
        ASSERT_EQ(ui_.Boxes().size(), 1u);
        EXPECT_EQ(ui_.Boxes()[0].text, text);
        EXPECT_EQ(ui_.Boxes()[0].caption, "Fatal Error");
        EXPECT_EQ(ui_.Boxes()[0].style, 16u);
        EXPECT_TRUE(MainFormGuard::QuitRequested()) << "the main window is closed";
        EXPECT_TRUE(::Setup.PackageName.empty());
        EXPECT_EQ(form_.Caption(), "MainForm");
    }

    TempFolder media_;
    TempFolder temp_;
    TempFolder folders_;
    TempFolder installed_;
    EnvironmentGuard tmp_{"TMP"};
    RegistryValueGuard programFiles_{HKEY_LOCAL_MACHINE, VersionKeyPath, "ProgramFilesDir"};
    RegistryValueGuard commonFiles_{HKEY_LOCAL_MACHINE, VersionKeyPath, "CommonFilesDir"};
    RegistryValueGuard owner_{HKEY_LOCAL_MACHINE, NtVersionKeyPath, "RegisteredOwner"};
    RegistryValueGuard windowsOwner_{HKEY_LOCAL_MACHINE, VersionKeyPath, "RegisteredOwner"};
    CurrentFolderGuard restoreFolder_;
    ScriptedUi ui_;
    TMainForm form_;
    MainFormGuard main_{form_};
};

std::string PlatformFolder(UINT (*query)(LPSTR, UINT)) {
    char path[MAX_PATH] = {};
    query(path, MAX_PATH);
    return path;
}

}  // namespace

TEST_F(MainFormStartupTest, InstallModeOffersTheInstallPageOfTheScriptsPackage) {
    WriteScript("Foo");
    EXPECT_TRUE(form_.FormActivate().Ok());

    EXPECT_TRUE(ui_.Boxes().empty());
    EXPECT_FALSE(MainFormGuard::QuitRequested());
    EXPECT_EQ(form_.PageControl1.VisibleTabCaptions(), Lines({"&Install", "&About"}));
    EXPECT_EQ(form_.PageControl1.ActivePage(), &form_.TabSheet1);
    EXPECT_EQ(form_.Label2.Caption(), "Foo");
    EXPECT_EQ(form_.Label7.Caption(), "Foo");
    EXPECT_EQ(form_.Caption(), "Setup for Foo");
    EXPECT_EQ(::Setup.PackageName, "Foo");

    EXPECT_EQ(::Setup.IsWindowsNT, 1);
    EXPECT_EQ(::Setup.WindowsDir, PlatformFolder(GetWindowsDirectoryA));
    EXPECT_EQ(::Setup.SystemDir, PlatformFolder(GetSystemDirectoryA));
    // Elevated, as every process under wine is: in the Windows folder's Temp, not the user's.
    EXPECT_EQ(::Setup.TempDir.rfind(::Setup.WindowsDir + "\\Temp\\setup-", 0), 0u) << ::Setup.TempDir;
    EXPECT_EQ(::Setup.TempDir.back(), '\\');
    EXPECT_TRUE(FolderExists(::Setup.TempDir));
    EXPECT_EQ(::Setup.ProgramFilesDir, folders_.Path());
    EXPECT_EQ(::Setup.CommonFilesDir, folders_.Path());
    ASSERT_TRUE(::Setup.Registry);
    EXPECT_EQ(::Setup.Registry->RootKey(), HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(::Setup.Registry->HasCurrentKey());

    // The run works on a Temp copy of the script; the log starts with the package name.
    ASSERT_TRUE(::Setup.InstallScript);
    EXPECT_EQ(::Setup.InstallScript->Path(), WorkCopy("install.ini"));
    EXPECT_EQ(ReadTextFile(WorkCopy("install.ini")).substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(CopyText("install.ini"), ReadTextFile(media_ / "install.ini"));
    ASSERT_TRUE(::Setup.UninstallLog);
    EXPECT_EQ(::Setup.UninstallLog->Path(), WorkCopy("uninstal.ini"));
    EXPECT_EQ(::Setup.UninstallLog->ReadValue("Package", "name", ""), "Foo");
    EXPECT_EQ(CurrentFolder(), media_.Path());
}

TEST_F(MainFormStartupTest, UninstallModeOffersTheUninstallPageOfTheLogsPackage) {
    const std::string installedLog = "[Package]\r\nname=Foo\r\n[ProgramFiles]\r\nfile1=C:\\App\\app.exe\r\n";
    WriteTextFile(installed_ / "uninstal.ini", installedLog);
    ASSERT_TRUE(RecordAsInstalled(installed_ / "uninstal.ini"));
    ::Setup.CommandLine = installed_ / "uninstal.ini";
    EXPECT_TRUE(form_.FormActivate().Ok());

    EXPECT_TRUE(ui_.Boxes().empty());
    EXPECT_FALSE(MainFormGuard::QuitRequested());
    EXPECT_EQ(form_.PageControl1.VisibleTabCaptions(), Lines({"&Uninstall", "&About"}));
    EXPECT_EQ(form_.PageControl1.ActivePage(), &form_.TabSheet2);
    EXPECT_EQ(form_.Label2.Caption(), "Foo");
    EXPECT_EQ(form_.Label7.Caption(), "Foo");
    EXPECT_EQ(form_.Caption(), "Setup for Foo");
    EXPECT_FALSE(::Setup.InstallScript);
    // The copy is read, and neither it nor the installed log is written.
    EXPECT_EQ(::Setup.UninstallLog->Path(), WorkCopy("uninstal.ini"));
    EXPECT_EQ(LogText(), installedLog);
    EXPECT_EQ(ReadTextFile(installed_ / "uninstal.ini"), installedLog);
}

TEST_F(MainFormStartupTest, GreetingNamesTheOwnerFromTheWindowsNtKey) {
    WriteScript("Foo");
    owner_.Set("Ann Example");
    windowsOwner_.Set("Someone Else");
    EXPECT_TRUE(form_.FormActivate().Ok());
    EXPECT_EQ(form_.Label4.Caption(), "Hi Ann Example !");
    EXPECT_EQ(form_.Label5.Caption(), "Hi Ann Example !");
}

TEST_F(MainFormStartupTest, GreetingWithoutAnOwnerHasTwoBlanks) {
    WriteScript("Foo");
    owner_.Remove();
    windowsOwner_.Set("Someone Else");
    EXPECT_TRUE(form_.FormActivate().Ok());
    EXPECT_EQ(form_.Label4.Caption(), "Hi  !");
    EXPECT_EQ(form_.Label5.Caption(), "Hi  !");
}

TEST_F(MainFormStartupTest, MissingProgramAndCommonFoldersAreMadeAndLoggedInAFreshLog) {
    WriteScript("Foo");
    WriteTextFile(temp_ / "uninstal.ini", "[Directories]\r\ndir1=C:\\Old\r\n[Package]\r\nname=Old\r\n");
    programFiles_.Set(folders_ / "Programs\\Apps");
    commonFiles_.Set(folders_ / "Common");
    EXPECT_TRUE(form_.FormActivate().Ok());

    EXPECT_TRUE(ui_.Boxes().empty());
    EXPECT_TRUE(FolderExists(folders_ / "Programs\\Apps"));
    EXPECT_TRUE(FolderExists(folders_ / "Common"));
    EXPECT_EQ(LogText(), "[Directories]\r\ndir1=" + (folders_ / "Programs") +
                             "\r\ndir2=" + (folders_ / "Programs\\Apps") + "\r\ndir3=" + (folders_ / "Common") +
                             "\r\n[Package]\r\nname=Foo\r\n");
    EXPECT_EQ(::Setup.DirEntryCount, 3);
    EXPECT_EQ(CurrentFolder(), media_.Path());
}

TEST_F(MainFormStartupTest, StaleTempScriptIsNeverReadWhenTheMediaHasNone) {
    WriteTextFile(temp_ / "install.ini", "[Package]\r\nname=Stale\r\n");
    EXPECT_TRUE(form_.FormActivate().Ok());
    ExpectOneFatalError("install.ini not found or invalid: " + (media_ / "install.ini"));
    EXPECT_EQ(form_.Label2.Caption(), "Some Application");
    EXPECT_EQ(LogText().find("[Package]"), std::string::npos) << "nothing is written for a refused script";
}

TEST_F(MainFormStartupTest, PackageNameThatIsTheMissingMarkIsRefused) {
    WriteScript("__Oh Oh__");
    EXPECT_TRUE(form_.FormActivate().Ok());
    ExpectOneFatalError("install.ini not found or invalid: " + (media_ / "install.ini"));
}

TEST_F(MainFormStartupTest, LogWithoutPackageSectionIsRefused) {
    WriteTextFile(installed_ / "uninstal.ini", "[Directories]\r\ndir1=C:\\App\r\n");
    ::Setup.CommandLine = installed_ / "uninstal.ini";
    EXPECT_TRUE(form_.FormActivate().Ok());
    ExpectOneFatalError("uninstal.ini not found or invalid: " + ::Setup.CommandLine);
    EXPECT_EQ(form_.PageControl1.VisibleTabCaptions(), Lines({"&Uninstall", "&About"}));
}

TEST_F(MainFormStartupTest, StaleTempLogIsNeverReadWhenTheLogCannotBeCopied) {
    WriteTextFile(installed_ / "uninstal.ini", "[Package]\r\nname=Foo\r\n");
    WriteTextFile(temp_ / "uninstal.ini", "[Package]\r\nname=Stale\r\n");
    // Quotes stay part of the argument text, so the copy fails.
    ::Setup.CommandLine = "\"" + (installed_ / "uninstal.ini") + "\"";
    EXPECT_TRUE(form_.FormActivate().Ok());
    ExpectOneFatalError("uninstal.ini not found or invalid: \"" + (installed_ / "uninstal.ini") + "\"");
    EXPECT_FALSE(FileExists(WorkCopy("uninstal.ini")));
    EXPECT_EQ(ReadTextFile(temp_ / "uninstal.ini"), "[Package]\r\nname=Stale\r\n") << "a file the run did not make";
}

TEST_F(MainFormStartupTest, UninstallStartedOnTheTempCopyItselfKeepsIt) {
    WriteTextFile(temp_ / "uninstal.ini", "[Package]\r\nname=Foo\r\n");
    ASSERT_TRUE(RecordAsInstalled(temp_ / "uninstal.ini"));
    ::Setup.CommandLine = temp_ / "uninstal.ini";
    EXPECT_TRUE(form_.FormActivate().Ok());
    EXPECT_TRUE(ui_.Boxes().empty());
    EXPECT_EQ(::Setup.PackageName, "Foo");
}

TEST_F(MainFormStartupTest, PackageNameThatDoesNotFitIsRefusedBeforeAnythingIsWritten) {
    const std::string name(58, 'n');
    WriteScript(name);
    EXPECT_TRUE(form_.FormActivate().Ok());
    ExpectOneFatalError("Package name too long (more than 57 characters): " + name);
    EXPECT_EQ(LogText(), "");
}

TEST_F(MainFormStartupTest, PackageNameOfTheLongestLengthIsTaken) {
    const std::string name(57, 'n');
    WriteScript(name);
    EXPECT_TRUE(form_.FormActivate().Ok());
    EXPECT_TRUE(ui_.Boxes().empty());
    EXPECT_EQ(::Setup.PackageName, name);
}

TEST_F(MainFormStartupTest, FolderThatCannotBeMadeEndsTheRunBeforeThePage) {
    struct Case {
        std::string programFiles, commonFiles, message;
    };
    const std::vector<Case> cases = {
        {folders_ / "a<b", folders_.Path(), "Problem with Program directory"},
        {folders_.Path(), folders_ / "a|b", "Problem with Common directory"},
        {folders_ / std::string(260, 'p'), folders_.Path(), "Path too long: " + (folders_ / std::string(260, 'p')).substr(0, 100) + "..."},
    };
    WriteScript("Foo");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        ::Setup = SetupState{};
        programFiles_.Set(c.programFiles);
        commonFiles_.Set(c.commonFiles);
        const size_t shown = ui_.Boxes().size();
        EXPECT_TRUE(form_.FormActivate().Ok());
        ASSERT_EQ(ui_.Boxes().size(), shown + 1);
        EXPECT_EQ(ui_.Boxes().back().text, c.message);
        EXPECT_EQ(ui_.Boxes().back().caption, "Fatal Error");
        EXPECT_EQ(ui_.Boxes().back().style, 16u);
        EXPECT_TRUE(MainFormGuard::QuitRequested());
        EXPECT_FALSE(::Setup.InstallScript) << "nothing after the failed check runs";
        EXPECT_FALSE(FileExists(WorkCopy("install.ini")));
    }
}

