#include "fsutil/UninstallerRemoval.h"

#include <windows.h>

#include <cstdlib>

#include "base/FormatText.h"
#include "base/OwnedHandle.h"
#include "fsutil/FileNames.h"
#include "fsutil/MediaFolder.h"
#include "fsutil/PathIdentity.h"
#include "fsutil/ProgramsListEntry.h"
#include "fsutil/SystemFolders.h"
#include "state/SetupState.h"

namespace {

constexpr const char* RemoverPrefix = "qupsetup-remove-";
constexpr DWORD LongestWait = 60000;

void DeleteProgramAndFolder(const std::string& program) {
    DeleteFileA(program.c_str());
    RemoveDirectoryA(FolderPart(program).c_str());
}

// Starts a copy of `program` from the user's Temp to delete it once this run has ended. The copy
// is opened to be deleted when its last handle goes, and that handle is handed to it.
void StartRemover(const std::string& program) {
    const std::string remover = TempFolderPath() + RemoverPrefix + FormatText("%lu.exe", GetCurrentProcessId());
    if (!CopyFileA(program.c_str(), remover.c_str(), FALSE)) return;
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    const FileHandle removing(CreateFileA(remover.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_DELETE, &inherited,
                                          OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    std::string commandLine = "\"" + remover + FormatText("\" %lu", GetCurrentProcessId());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (removing.IsValid() && CreateProcessA(remover.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                             DETACHED_PROCESS, nullptr, nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

}  // namespace

void RemoveUnusedUninstaller() {
    if (!Setup.UserScope || !Setup.IsUninstallMode()) return;
    const std::string program = SetupProgramCopyPath();
    if (AnEntryRunsTheProgramCopy()) return;
    if (PathIdentity(ProgramPath()) == PathIdentity(program))
        StartRemover(program);
    else
        DeleteProgramAndFolder(program);
}

bool RemovedUninstallerAsCopy(const std::string& arguments) {
    if (FileNamePart(ProgramPath()).rfind(RemoverPrefix, 0) != 0) return false;
    const KernelObject run(OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(std::strtoul(arguments.c_str(), nullptr, 10))));
    if (run.IsValid()) WaitForSingleObject(run.Get(), LongestWait);
    Setup.UserScope = true;
    Setup.LocalAppDataDir = UserShellFolder("Local AppData");
    if (!Setup.LocalAppDataDir.empty()) DeleteProgramAndFolder(SetupProgramCopyPath());
    return true;
}
