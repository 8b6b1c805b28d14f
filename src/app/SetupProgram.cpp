#include "app/SetupProgram.h"

#include <optional>

#include "app/ArgumentText.h"
#include "app/Elevation.h"
#include "app/InstallCheck.h"
#include "app/MainForm.h"
#include "app/PackageScope.h"
#include "app/InstallUndo.h"
#include "app/RunLanguage.h"
#include "app/StartAtEnd.h"
#include "base/Texts.h"
#include "fsutil/RunLock.h"
#include "app/UnattendedCommand.h"
#include "app/UnattendedFace.h"
#include "app/UnattendedRun.h"
#include "dialogs/ChangeForm.h"
#include "dialogs/InstallForm.h"
#include "dialogs/LicenceForm.h"
#include "dialogs/NewFolderForm.h"
#include "fsutil/MediaFolder.h"
#include "fsutil/UninstallerRemoval.h"
#include "install/ProgressForm.h"
#include "state/SetupState.h"
#include "toolkit/Application.h"
#include "uninstall/ProgramsInUse.h"
#include "uninstall/UninstallForm.h"

void CreateSetupForms() {
    Application& application = Application::Instance();
    Setup.MainForm = application.CreateForm<TMainForm>();
    Setup.LicenceForm = application.CreateForm<TLicenceForm>();
    Setup.InstallForm = application.CreateForm<TInstallForm>();
    Setup.ChangeForm = application.CreateForm<TChangeForm>();
    Setup.NewFolderForm = application.CreateForm<TNewFolderForm>();
    Setup.ProgressForm = application.CreateForm<TProgressForm>();
    Setup.ProgressForm->UndoInstall = UndoFailedInstall;
    Setup.UninstallForm = application.CreateForm<TUninstallForm>();
}

namespace {

constexpr char LogSwitch[] = "/log=";
constexpr char NoCloseSwitch[] = "/noclose";
constexpr char PlanSwitch[] = "/plan=";

// "/PLAN=" runs without a window, as "/S" does, whether "/S" is given or not.
std::optional<UnattendedCommand> PlanCommand(const std::string& arguments, std::string planPath) {
    std::optional<UnattendedCommand> command = ParseUnattendedCommand(arguments);
    if (!command) command = ParseUnattendedCommand("/S " + arguments);
    if (command) command->planPath = std::move(planPath);
    return command;
}

}  // namespace

int RunSetupProgram(const char* commandLine) {
    Setup.Elevated = Elevation::Current().Elevated();
    Setup.MediaDir = ProgramFolder();
    // The elevated run is started with the whole argument text, "/LANG=" and all.
    const std::string argumentText = ArgumentText(commandLine);
    std::string arguments = argumentText;
    Setup.LogFilePath = TakeLeadingSwitch(arguments, LogSwitch);
    const std::string language = TakeLanguageSwitch(arguments);
    if (Setup.LogFilePath.empty()) Setup.LogFilePath = TakeLeadingSwitch(arguments, LogSwitch);
    const size_t withNoClose = arguments.size();
    TakeLeadingSwitch(arguments, NoCloseSwitch);
    if (arguments.size() != withNoClose) HoldersChoice = HolderChoice::Keep;
    if (RemovedUninstallerAsCopy(arguments)) return 0;
    if (std::string planPath = TakeLeadingSwitch(arguments, PlanSwitch); !planPath.empty())
        return RunUnattended(argumentText, *PlanCommand(arguments, std::move(planPath)), language);
    if (const std::optional<UnattendedCommand> command = ParseUnattendedCommand(arguments))
        return RunUnattended(argumentText, *command, language);
    Application& application = Application::Instance();
    // Asked for a log, a windowed run keeps there what it shows and notes.
    static std::optional<UnattendedFace> screenLog;
    if (!Setup.LogFilePath.empty()) {
        screenLog.emplace().Write("Windowed run: " + argumentText);
        Setup.ScreenLog = &*screenLog;
    }
    // A package for the machine needs the administrators' rights: without them the run only starts
    // itself again with them, and makes nothing itself.
    const std::optional<std::string> verified = VerifiedLogPath(arguments);
    const std::string& logPath = verified ? *verified : arguments;
    const PackageFacts facts = ReadPackageFacts(logPath);
    Setup.UserScope = facts.userScope;
    // The windows speak it from the first; what a language file could not give stays English.
    UseRunLanguage(language, logPath);
    application.SetRightToLeft(IsRightToLeft(Setup.Language));
    application.SetCharacterSet(CharacterSetOf(Setup.Language));
    // A check only reads: no elevation, no lock.
    if (verified) {
        CheckInstall(*verified);
        return 0;
    }
    if (!facts.userScope && !Setup.Elevated) {
        // The elevated run hands back the program to start, which this run starts unelevated.
        const HandBack handBack;
        if (Elevation::Current().RunElevated(argumentText))
            handBack.StartHandedBack();
        else
            application.ShowMessageBox(NeedsAdministratorText(facts.name, !arguments.empty()), application.Title().c_str(),
                                       MB_OK | MB_ICONERROR);
        return 0;
    }
    const KernelObject lock = TakeRunLock(Setup.UserScope);
    if (!lock.IsValid()) {
        application.ShowMessageBox(Text(TextId::AnotherSetup), application.Title().c_str(), MB_OK | MB_ICONEXCLAMATION);
        return 0;
    }
    Status ready = RequireFittingPath(arguments);
    if (ready) ready = application.Initialize();
    if (ready) {
        Setup.CommandLine = arguments;
        CreateSetupForms();
        application.Run();
    } else {
        application.ReportError(ready.Message());
    }
    application.DestroyForms();
    return 0;
}
