#pragma once
#include <memory>
#include <string>
#include <vector>

#include "base/PathLimit.h"
#include "setupdata/ProfileFile.h"
#include "setupdata/RegistryAccess.h"

class TMainForm;
class TLicenceForm;
class TInstallForm;
class TChangeForm;
class TNewFolderForm;
class TProgressForm;
class TUninstallForm;
class RunFace;
class RunPlan;

// The package name must fit the licence title "Licence Agreement for %s" (79 characters).
inline constexpr size_t MaxPackageNameLength = 57;

// The one process-wide record of values that more than one window or engine shares.
struct SetupState {
    TMainForm* MainForm = nullptr;
    TLicenceForm* LicenceForm = nullptr;
    TInstallForm* InstallForm = nullptr;
    TChangeForm* ChangeForm = nullptr;
    TNewFolderForm* NewFolderForm = nullptr;
    TProgressForm* ProgressForm = nullptr;
    std::unique_ptr<ProfileFile> InstallScript;   // null in uninstall mode
    std::unique_ptr<ProfileFile> UninstallLog;
    std::unique_ptr<RegistryAccess> Registry;
    int IsWindowsNT = 0;
    // The package is for the user who runs setup alone: the user's folders and HKEY_CURRENT_USER,
    // no elevation, the records, entry, lock and working folder of that user.
    bool UserScope = false;
    // The Administrators group is in force for this run (as the elevation seam says): what the
    // user's own keys name is then taken only where the platform's records vouch for it.
    bool Elevated = false;
    std::string PackageName;
    // The language of the run when it is not the built-in English: its file tag, and the language
    // file's content, which the log keeps for the uninstall.
    std::string Language;
    std::string LanguageFile;
    std::string InstallFolder;
    std::string ProgramFilesDir;
    std::string CommonFilesDir;
    std::string WindowsDir;
    std::string SystemDir;
    std::string LocalAppDataDir;  // the user's, as the shell names it; empty when it names none
    std::string AppDataDir;       // the user's roaming one
    std::string TempDir;      // the run's own working folder inside the Temp folder; always ends in "\"
    std::string MediaDir;     // where the media are read from: the running program's folder, ending in "\"
    std::string CommandLine;  // empty in install mode
    std::string InstalledLogFinalPath;  // uninstall mode: what the log read was, as FinalPathOf gives it
    TUninstallForm* UninstallForm = nullptr;
    int DirEntryCount = 0;
    int KeyEntryCount = 0;
    int FileEntryCount = 0;
    // The install run got to its end: only then does an upgrade remove what it no longer ships.
    bool InstallCompleted = false;
    // Folders and keys of the script that the install found there and so did not log.
    std::vector<std::string> FoundInPlace;
    // Where messages go; the screen when null (see Face()).
    RunFace* Face = nullptr;
    // "/LOG=": the file the run's log goes to instead of setup.log; and in a windowed run, the log
    // that keeps what the screen shows and notes (null without "/LOG=").
    std::string LogFilePath;
    RunFace* ScreenLog = nullptr;
    // "/PLAN=": the run only decides, and says here what it would do (state/RunPlan.h); null otherwise.
    RunPlan* Plan = nullptr;
    // Set once something was handed to the platform for deletion at the next restart.
    bool RestartScheduled = false;

    bool IsUninstallMode() const { return !CommandLine.empty(); }
};

// Never destroyed (src/state/SetupState.cpp): its destruction at exit was code that released
// nothing the end of the process does not.
extern SetupState& Setup;

