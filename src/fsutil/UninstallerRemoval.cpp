#include "fsutil/UninstallerRemoval.h"

#include <windows.h>
#include <sddl.h>

#include <cstdlib>

#include "base/FormatText.h"
#include "base/OwnedHandle.h"
#include "fsutil/DestinationFile.h"
#include "fsutil/FileNames.h"
#include "fsutil/FinalPath.h"
#include "fsutil/LogRecord.h"
#include "fsutil/MediaFolder.h"
#include "fsutil/PathIdentity.h"
#include "fsutil/ProgramsListEntry.h"
#include "fsutil/RunLock.h"
#include "fsutil/SystemFolders.h"
#include "fsutil/ThroughHandle.h"
#include "state/RunPlan.h"
#include "state/SetupState.h"

namespace {

constexpr const char* RemoverPrefix = "qupsetup-remove-";
// Only the administrators and the system may change an elevated run's copy.
constexpr const char* RemoverAccess = "D:P(A;;FA;;;SY)(A;;FA;;;BA)";
// How long the copy waits for another run to end before it leaves the program where it is.
constexpr int LockAttempts = 600;

// Another package installed since still has its uninstall started from the program: one that is
// recorded, or an entry that names it.
// A plan's uninstall has removed nothing: its own record and entry, which it would have removed by
// then, do not count.
bool ProgramStillNeeded() {
    if (!Setup.Plan) return AnyLogRecorded() || AnEntryRunsTheProgramCopy();
    return AnyLogRecorded(1) || AnEntryRunsTheProgramCopy(FileNamePart(EntryKeyPath(Setup.PackageName)).c_str());
}

// The program, through a handle that reaches it as named, and the user's own folder of it; tried
// again for a while, since the uninstall that ran from it may not have let go of its file yet.
void DeleteProgramAndFolder(const std::string& program) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        {
            const FileHandle file = OpenToInspect(program, DELETE | FILE_READ_ATTRIBUTES);
            if (file.IsValid() && ReachesAsNamed(file.Get(), program)) DeleteThrough(file.Get());
        }
        if (!Setup.UserScope || RemoveDirectoryA(FolderPart(program).c_str())) return;
        Sleep(250);
    }
}

// Writes a copy of this program, new and of a name of its own, where only this run's account (or,
// elevated, only the administrators) can change it; elevated, never in the user's Temp, which the
// user's ordinary programs can write and the user's own key names.
std::string WriteRemover() {
    const std::string folder = Setup.Elevated ? WindowsTempFolder() : TempFolderPath();
    const std::string remover = FormatText("%s%s%lu-%lu.exe", folder.c_str(), RemoverPrefix, GetCurrentProcessId(),
                                           static_cast<unsigned long>(GetTickCount64()));
    void* descriptor = nullptr;
    if (Setup.Elevated &&
        !ConvertStringSecurityDescriptorToSecurityDescriptorA(RemoverAccess, SDDL_REVISION_1, &descriptor, nullptr))
        return {};
    SECURITY_ATTRIBUTES security{sizeof security, descriptor, FALSE};
    bool written;
    {
        const FileHandle copy(CreateFileA(remover.c_str(), GENERIC_WRITE | FILE_READ_ATTRIBUTES, 0, &security, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        LocalFree(descriptor);
        written = copy.IsValid() && ReachesAsNamed(copy.Get(), remover) && CopyContent(ProgramPath(), copy.Get());
    }
    if (written) return remover;
    DeleteFileA(remover.c_str());
    return {};
}

// Starts a copy of this program to delete `program` once this run has ended. The copy is opened to
// be deleted when its last handle goes, and that handle is handed to it, with one of this run's
// process that it waits on: a process id could be another process's by then.
void StartRemover() {
    const std::string remover = WriteRemover();
    if (remover.empty()) return;
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    const FileHandle removing(CreateFileA(remover.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_DELETE, &inherited,
                                          OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    HANDLE self = nullptr;
    if (!removing.IsValid() ||
        !DuplicateHandle(ThisProcess(), ThisProcess(), ThisProcess(), &self, SYNCHRONIZE, TRUE, 0))
        return;
    const KernelObject ownProcess(self);
    // Handles are 32-bit values on 64-bit Windows too, so that they can be handed to 32-bit programs.
    std::string commandLine = FormatText("\"%s\" %lu %d", remover.c_str(),
                                         static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(self)), Setup.UserScope ? 1 : 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // Started in its own folder: a process's current folder cannot be removed, and this run's may
    // be the one to go.
    if (CreateProcessA(remover.c_str(), commandLine.data(), nullptr, nullptr, TRUE, DETACHED_PROCESS, nullptr,
                       FolderPart(remover).c_str(), &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

}  // namespace

void RemoveUnusedUninstaller() {
    if (!Setup.IsUninstallMode()) return;
    const bool needed = ProgramStillNeeded();
    const std::string program = SetupProgramCopyPath();
    if (Setup.Plan) {
        Setup.Plan->Add(needed ? PlanKind::Leave : PlanKind::Remove, PlanRole::Uninstaller, program, true,
                        needed ? "other installs are uninstalled with it" : "");
        return;
    }
    if (needed) return;
    if (PathIdentity(ProgramPath()) == PathIdentity(program))
        StartRemover();
    else
        DeleteProgramAndFolder(program);
}

bool RemovedUninstallerAsCopy(const std::string& arguments) {
    if (FileNamePart(ProgramPath()).rfind(RemoverPrefix, 0) != 0) return false;
    char* rest = nullptr;
    const KernelObject run(reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(std::strtoul(arguments.c_str(), &rest, 10))));
    // As long as it takes: the uninstall's window may stay open for any time.
    WaitForSingleObject(run.Get(), INFINITE);
    Setup.UserScope = std::strtoul(rest, nullptr, 10) == 1;
    Setup.WindowsDir = WindowsFolder();
    Setup.LocalAppDataDir = UserShellFolder("Local AppData");
    // One run at a time: a setup started meanwhile may be installing a package that needs the
    // program, which it then copies anew; whether one does is looked at once the lock is held.
    KernelObject lock;
    for (int attempt = 0; attempt < LockAttempts && !(lock = TakeRunLock(Setup.UserScope)).IsValid(); ++attempt) Sleep(1000);
    if (lock.IsValid() && !ProgramStillNeeded() && (!Setup.UserScope || !Setup.LocalAppDataDir.empty()))
        DeleteProgramAndFolder(SetupProgramCopyPath());
    return true;
}
