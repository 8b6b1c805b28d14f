#include <windows.h>

#include "base/FormatText.h"
#include "fsutil/FileTransfer.h"
#include "install/ProgressForm.h"
#include "setupdata/ScriptNames.h"
#include "state/SetupState.h"
#include "toolkit/Application.h"

namespace {

constexpr const char* SetupProgramName = "setup.exe";
constexpr const char* SetupProgramCopy = "\\qupsetup.exe";

// The uninstall is started from this copy, which stays when the media are gone. Whether it
// arrives is not the run's concern; a target that does not fit a path buffer is not tried.
void CopySetupProgram() {
    const std::string target = Setup.WindowsDir + SetupProgramCopy;
    if (FitsPathBuffer(target)) CopyFileA(SetupProgramName, target.c_str(), FALSE);
}

// Asks for the disk until its identification file is found; false when the user cancels.
bool WaitForDisk(int disk) {
    while (!DiskIdPresent(disk)) {
        const int answer = Application::Instance().ShowMessageBox(
            FormatText("If you wish to continue, please insert Disk %d and press OK.\nOtherwise press Cancel.", disk),
            "Insert Next Disk", MB_OKCANCEL | MB_ICONEXCLAMATION);
        if (answer == IDCANCEL) return false;
    }
    return true;
}

}  // namespace

void TProgressForm::FormActivate() {
    const char* package = Setup.PackageName.c_str();
    IProgramName.SetCaption(FormatText("Copying %s Support Files:", package));
    ShowCaption(FormatText("     Installing %s...  Disk 1", package));
    RunAborted = 0;

    const int diskCount = Setup.InstallScript->ReadNumber(DisksSection, DiskCountKey, -1);
    if (diskCount <= 0) {
        FailRun("Invalid number of disks");
        return;
    }
    CopySetupProgram();
    for (int disk = 1; disk <= diskCount; ++disk)
        if (!RunDisk(disk, diskCount)) return;

    ShowProgramName(FormatText("Writing %s Registry Entries:", package));
    WriteRegistryEntries();
    if (RunAborted != 0) return;
    CreateShortcuts();
    MessageBeep(MB_ICONEXCLAMATION);
    ShowCompleted();
}

// False when the run ends with this disk: the user cancelled its prompt or its files failed.
bool TProgressForm::RunDisk(int disk, int diskCount) {
    if (!WaitForDisk(disk)) {
        RunAborted = 1;
        return false;
    }
    if (disk > 1) ShowCaption(FormatText("     Installing %s...  Disk %d", Setup.PackageName.c_str(), disk));
    InstallProgramFiles(disk, diskCount);
    // The beep tells the user to change disks; it sounds after a failed disk as well.
    if (disk != diskCount) MessageBeep(MB_ICONEXCLAMATION);
    return RunAborted == 0;
}

void TProgressForm::ShowCompleted() {
    const char* package = Setup.PackageName.c_str();
    ProgressBar1.SetPosition(ProgressBar::Maximum);
    TotalProgress.SetPosition(ProgressBar::Maximum);
    Button1.SetCaption("OK");
    IProgramName.SetCaption(FormatText("%s Successfully Installed", package));
    ShowCaption(FormatText("     Installing %s - Complete", package));
    ShowCurrentItem("");
}
