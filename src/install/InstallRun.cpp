#include "install/InstallRun.h"

#include <windows.h>

#include "base/ContentDigest.h"
#include "base/FormatText.h"
#include "base/OwnedHandle.h"
#include "base/Texts.h"
#include "fsutil/DestinationFile.h"
#include "fsutil/FileNames.h"
#include "fsutil/FileTransfer.h"
#include "fsutil/MediaSource.h"
#include "fsutil/ProgramsListEntry.h"
#include "fsutil/RestartManager.h"
#include "setupdata/ScriptNames.h"
#include "state/RunFace.h"
#include "state/RunPlan.h"
#include "state/SetupState.h"
#include "toolkit/ProgressBar.h"
#include "uninstall/ProgramsInUse.h"

namespace {

constexpr const char* StagedProgramName = "qupsetup.new";

// The uninstall is started from this copy, which stays when the media are gone. Other packages'
// entries run it too, so it is written beside its place and replaces the one there whole, or not
// at all; both through handles checked to reach where they name, so a folder of the user's made
// a link sends nothing elsewhere. A target beyond a path buffer is not tried.
bool CopySetupProgram() {
    const std::string target = SetupProgramCopyPath();
    const std::string folder = FolderPart(target);
    const std::string staged = FormatText("%s\\%s", folder.c_str(), StagedProgramName);
    if (!FitsPathBuffer(target) || !FitsPathBuffer(staged)) return false;
    if (Setup.Plan) {
        std::string program;
        if (!PlannedNewFile(target) || Media().CopyProgram(INVALID_HANDLE_VALUE, &program) != PartCopy::Done) return false;
        Setup.Plan->AddFile(PlanRole::Uninstaller, target, program.size(), ContentDigest(program), 0,
                            GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES);
        return true;
    }
    // The user's own folder for it may not be there yet; it stays for the user's other packages.
    if (Setup.UserScope) CreateDirectoryA(folder.c_str(), nullptr);
    // What a run that was killed left there.
    DeleteFileA(staged.c_str());
    Result<FileHandle> out = CreateNewFile(staged);
    if (!out) return false;
    // A one-file setup gives the program as it was given to the build, signature and all.
    if (Media().CopyProgram(out.Value().Get()) == PartCopy::Done && RenameInto(out.Value().Get(), target)) return true;
    DiscardNewFile(out.Value());
    return false;
}

// Asks for the disk until its identification file is found; false when the user cancels.
bool WaitForDisk(int disk) {
    while (!DiskIdPresent(disk)) {
        const int answer = Face().Ask(
            FormatText(TextId::InsertDisk, disk), Text(TextId::InsertNextDisk), MB_OKCANCEL | MB_ICONEXCLAMATION);
        if (answer == IDCANCEL) return false;
    }
    return true;
}

// The programs closed for the install start again once it has ended, whatever the end.
struct RestartClosedPrograms {
    ~RestartClosedPrograms() { RestartManager::Current().Restart(); }
};

}  // namespace

Status InstallRun::Run() {
    const char* package = Setup.PackageName.c_str();
    view_.ShowPhase(FormatText(TextId::CopyingSupportFiles, package));
    view_.ShowCaption(FormatText(TextId::InstallingDisk, package, 1));
    RunAborted = 0;

    const int diskCount = Setup.InstallScript->ReadNumber(DisksSection, DiskCountKey, -1);
    if (diskCount <= 0) {
        FailRun(Text(TextId::InvalidNumberOfDisks));
        return {};
    }
    const RestartClosedPrograms restart;
    CloseProgramsHolding(ExistingDestinations(diskCount));
    programCopied_ = CopySetupProgram();
    for (int disk = 1; disk <= diskCount && RunAborted == 0; ++disk)
        if (const Status installed = RunDisk(disk, diskCount); !installed) return installed;
    if (RunAborted != 0) return {};

    view_.ShowPhase(FormatText(TextId::WritingRegistryEntries, package));
    if (const Status written = WriteRegistryEntries(); !written) return written;
    if (RunAborted == 0)
        if (const Status entered = WriteUninstallEntry(); !entered) return entered;
    if (RunAborted != 0) return {};
    if (const Status made = CreateShortcuts(); !made) return made;
    Face().Beep();
    Setup.InstallCompleted = true;
    ShowCompleted();
    return {};
}

// The run ends with this disk when the user cancels its prompt or its files fail (RunAborted).
Status InstallRun::RunDisk(int disk, int diskCount) {
    if (!WaitForDisk(disk)) {
        RunAborted = 1;
        return {};
    }
    if (disk > 1) view_.ShowCaption(FormatText(TextId::InstallingDisk, Setup.PackageName.c_str(), disk));
    if (const Status installed = InstallProgramFiles(disk, diskCount); !installed) return installed;
    // The beep tells the user to change disks; it sounds after a failed disk as well.
    if (disk != diskCount) Face().Beep();
    return {};
}

void InstallRun::ShowCompleted() {
    const char* package = Setup.PackageName.c_str();
    view_.ShowCurrentItem("");
    view_.SetBarPosition(ProgressBarRole::Current, ProgressBar::Maximum);
    view_.SetBarPosition(ProgressBarRole::Total, ProgressBar::Maximum);
    view_.ShowEnded();
    view_.ShowPhase(FormatText(TextId::SuccessfullyInstalled, package));
    view_.ShowCaption(FormatText(TextId::InstallingComplete, package));
}

void InstallRun::FailRun(const std::string& message) {
    ReportFailure(Status::Fatal(message));
    RunAborted = 1;
}

void InstallRun::SetBarSteps(int barStep, int totalStep) {
    view_.SetBarStep(ProgressBarRole::Current, barStep);
    view_.SetBarStep(ProgressBarRole::Total, totalStep);
}

void InstallRun::StepBars() {
    view_.StepBar(ProgressBarRole::Current);
    view_.StepBar(ProgressBarRole::Total);
}
