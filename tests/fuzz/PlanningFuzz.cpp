// Drives mutated setup scripts and uninstall logs, in one process and with the program's own code,
// through everything an install and an uninstall read and decide before they act: the script's
// working copy and package name, its scope, the proposed install folder and its checks, the checks
// of a package for one user, every destination of every disk with its macros, the registry keys
// and values, the shortcuts' targets; a log's working copy, its record, its package name and scope,
// and every entry the uninstall would act on; then the install's own plan ("/PLAN="), which goes
// through the install's steps deciding and acting on nothing. Nothing is made but the working
// folders and copies, and nothing may be made anywhere else.
//   setup_fuzz CASES SEED [script|log]
// A case that crashes the process is left in fuzz-case.txt in the current folder; one that takes
// longer than HangSeconds ends the process with exit code 3 and leaves the same file.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/PackageScope.h"
#include "app/InstalledLog.h"
#include "app/PrepareFolders.h"
#include "app/RunStart.h"
#include "app/UnattendedFace.h"
#include "app/UserScopeCheck.h"
#include "base/FullPath.h"
#include "dialogs/InstallForm.h"
#include "fsutil/FileNames.h"
#include "fsutil/InstallFolder.h"
#include "fsutil/LogRecord.h"
#include "fsutil/PathMacros.h"
#include "fsutil/ProgramsListEntry.h"
#include "fsutil/UserScope.h"
#include "fsutil/WorkFolder.h"
#include "fuzz/ScriptMutator.h"
#include "install/InstallRun.h"
#include "setupdata/IntegerText.h"
#include "setupdata/RegistryKeyText.h"
#include "setupdata/ScriptGroups.h"
#include "setupdata/ScriptNames.h"
#include "setupdata/UnicodeProfileCopy.h"
#include "state/RunPlan.h"
#include "state/SetupState.h"
#include "support/LoggedKeys.h"
#include "support/TestFiles.h"

namespace {

constexpr DWORD HangSeconds = 20;
constexpr int MostDisksWalked = 60;

volatile LONG casesDone = 0;
// How far the cases got: past the first reading (the script opened, the log's record matched and
// its package named), and through to the last.
long readCases = 0, wholeCases = 0;

// Ends the process when a case stops making progress: a hang is a finding like a crash.
DWORD WINAPI Watchdog(void*) {
    LONG seen = -1;
    for (;;) {
        Sleep(HangSeconds * 1000);
        const LONG now = casesDone;
        if (now == seen) {
            std::fprintf(stderr, "hang: case %ld took longer than %lu s (fuzz-case.txt)\n", now + 1, HangSeconds);
            std::fflush(stderr);
            TerminateProcess(GetCurrentProcess(), 3);
        }
        seen = now;
    }
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// Each reading may fail; what matters is that it fails cleanly.
void Touch(const Result<std::string>& value) {
    if (value) (void)IsFullPath(value.Value());
}

EntryList Entries(const ProfileFile& file, const char* section) {
    EntryList entries;
    file.ReadEntries(section, entries);
    return entries;
}

// The install itself, as "/PLAN=" runs it: every step decides and says what it would do, and makes
// nothing. The media hold the first disk's identification file and no package file, so a plan gets
// through the folders to the first file.
void PlanWholeInstall(bool json) {
    RunPlan plan(json);
    UnattendedFace face(false);
    Setup.Plan = &plan;
    Setup.Face = &face;
    Setup.FoundInPlace.clear();
    Setup.InstallCompleted = false;
    const Result<FolderPreparation> prepared = PrepareInstallFolders();
    if (prepared && prepared.Value() == FolderPreparation::Ready) {
        InstallRun run(face);
        if (run.Run() && run.RunAborted == 0) (void)PlaceInstalledLog();
    }
    (void)plan.Document({Setup.PackageName, "", "", Setup.InstallFolder, Setup.UserScope, false});
    Setup.Plan = nullptr;
    Setup.Face = nullptr;
}

// What the install reads and decides, section by section, before it makes anything, then the
// install's own plan of it.
void PlanInstall(const std::string& work, bool json) {
    Setup.InstallFolder.clear();
    Setup.DirEntryCount = Setup.KeyEntryCount = Setup.FileEntryCount = 0;
    Setup.UserScope = ReadPackageFacts("").userScope;
    CreateUnicodeProfile(work + LogFileName);
    Setup.UninstallLog = std::make_unique<ProfileFile>(work + LogFileName);
    if (!OpenSetupScript()) return;
    ++readCases;
    const ProfileFile& script = *Setup.InstallScript;
    if (const Result<std::string> proposed = ProposedInstallFolder(); proposed) {
        const std::string folder = CanonicalInstallFolder(proposed.Value());
        if (InstallFolderProblem(folder).empty()) Setup.InstallFolder = folder;
    }
    if (!Setup.InstallFolder.empty()) ++wholeCases;
    if (Setup.UserScope) (void)CheckScriptOfUserScope();
    const int disks = script.ReadNumber(DisksSection, DiskCountKey, -1);
    for (int disk = 1; disk <= disks && disk <= MostDisksWalked; ++disk)
        for (const Entry& entry : Entries(script, ProgramFilesSection(disk).c_str())) {
            const Result<std::string> destination = ExpandPathMacros(entry.value);
            Touch(destination);
            if (destination) (void)CompressedFileName(FileNamePart(destination.Value()));
        }
    for (const Entry& key : Entries(script, RegistryKeysSection))
        if (const std::optional<RegistryKeyText> text = SplitRegistryKeyText(UserScopeKeyText(key.value)))
            (void)InstallRootKey(text->rootName);
    for (const KeyValueGroup& group : KeyValueGroups(Entries(script, KeyValuesSection))) {
        (void)RegistryValueName(group.valueName);
        if (IsStringType(group.type))
            Touch(ExpandPathMacros(group.data));
        else
            (void)ParseIntegerText(group.data);
    }
    Touch(FirstShortcutTarget());
    (void)EntryKeyPath(Setup.PackageName);
    if (!Setup.InstallFolder.empty()) PlanWholeInstall(json);
}

// What the uninstall reads and decides before it removes anything: the log as recorded.
void PlanUninstall(const std::string& log) {
    Setup.CommandLine = log;
    Setup.InstallScript.reset();
    Setup.UserScope = ReadPackageFacts(log).userScope;
    const Result<StartedRun> started = StartRun();
    if (!started) return;
    const Status named = ReadLoggedPackageName(started.Value());
    if (named) {
        ++readCases;
        for (const char* section : {LogProgramFilesSection, DirectoriesSection})
            for (const Entry& entry : Entries(*Setup.UninstallLog, section))
                (void)(FitsPathBuffer(entry.value) && IsFullPath(entry.value) && InPersonsAreas(entry.value));
        for (const Entry& key : Entries(*Setup.UninstallLog, RegistryKeysSection)) {
            if (const std::optional<RegistryKeyText> text = SplitRegistryKeyText(key.value))
                (void)UninstallRootKey(text->rootName);
            (void)(IsLogRecordKeyText(key.value) || IsEntryOfAnotherInstall(key.value));
        }
        ++wholeCases;
    }
    RemoveWorkFolder(Setup.TempDir);
}

std::vector<std::string> Listing(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    const HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do names.push_back(data.cFileName);
    while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
}

std::vector<std::string> ScriptSeeds() {
    return {
        ReadTextFile(WinePath(std::string(SETUP_SOURCE_UNIX_DIR) + "/examples/notes/install.ini")),
        "[Package]\nname=Fuzzed\nscope=user\nuninstallentry=yes\nversion=1.2.3\npublisher=Fuzz\n[Licence]\n"
        "licence=none\n[InstallFolder]\ninstall=%%USERPROGRAMS%%\\Fuzzed\nsub=Data\n[OtherFolders]\n"
        "f1=%%LOCALAPPDATA%%\\Fuzzed Data\n[Disks]\nn=2\n[ProgramFiles01]\nfile1=%%INSTALLPATH%%\\app.exe\n"
        "file2=%%INSTALLPATH%%\\Data\\a.b.c\n[ProgramFiles02]\nfile1=%%APPDATA%%\\Fuzzed\\x.txt\n[RegistryKeys]\n"
        "key1=HKEY_CURRENT_USER\\Software\\Fuzzed\nkey2=HKEY_CLASSES_ROOT\\.fuzz\n[KeyValues]\nn1=(Default)\n"
        "k1=key2\nd1=%%INSTALLPATH%%\\app.exe\nt1=string\nn2=Count\nk2=key1\nd2=0x10\nt2=dword\n[Group]\n"
        "group=Fuzzed\n[Icons]\nr1=[ProgramFiles01]file1\nn1=App\n[StartButton]\nr1=[ProgramFiles01]file1\n"
        "n1=Fuzzed\n[Desktop]\nr1=[ProgramFiles01]file1\nn1=Fuzzed\n",
        "[Package]\nname=Machine Fuzz\n[Licence]\nlicence=none\n[InstallFolder]\ninstall=%%PROGPATH%%\\Machine\n"
        "[Disks]\nn=1\n[ProgramFiles01]\nfile1=%%WINSYS%%\\fuzz.dll\nfile2=%%COMMONPATH%%\\fuzz.dat\n[RegistryKeys]\n"
        "key1=HKEY_LOCAL_MACHINE\\Software\\Machine Fuzz\n[KeyValues]\nn1=Path\nk1=key1\nd1=%%INSTALLPATH%%\nt1=string\n",
    };
}

std::vector<std::string> LogSeeds() {
    return {
        "[Package]\nname=Fuzzed\nscope=user\n[Directories]\ndir1=C:\\users\\Fuzz\\Programs\\Fuzzed\n[ProgramFiles]\n"
        "file1=C:\\users\\Fuzz\\Programs\\Fuzzed\\app.exe\n[RegistryKeys]\nkey1=HKEY_CURRENT_USER\\Software\\Fuzzed\n"
        "key2=HKEY_CURRENT_USER\\Software\\qupsetup\\0123\n",
        "[Package]\nname=Machine Fuzz\n[Directories]\ndir1=C:\\Program Files\\Machine\n[ProgramFiles]\n"
        "file1=C:\\Program Files\\Machine\\app.exe\nfile2=C:\\windows\\system32\\fuzz.dll\n[RegistryKeys]\n"
        "key1=HKEY_LOCAL_MACHINE\\Software\\Machine Fuzz\n"
        "key2=HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Machine Fuzz\n",
    };
}

}  // namespace

int main(int argc, char** argv) {
    const long cases = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 1000;
    const unsigned long long seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
    const bool logs = argc > 3 && std::string(argv[3]) == "log";
    TempFolder media;
    Setup.MediaDir = media.Path() + "\\";
    WriteBytes(media / "disk01.id", "");
    Setup.Elevated = RunsAsAdministrator();
    // The machine's folders and the run's working folder, as an install's start finds them.
    if (!logs && !StartRun()) return 1;
    char programFiles[MAX_PATH] = {};
    GetEnvironmentVariableA("ProgramFiles", programFiles, MAX_PATH);
    const std::vector<std::string> before = Listing("C:"), programsBefore = Listing(programFiles);
    ScriptMutator mutator(logs ? LogSeeds() : ScriptSeeds(), seed);
    CreateThread(nullptr, 0, Watchdog, nullptr, 0, nullptr);
    const ULONGLONG start = GetTickCount64();
    for (long i = 0; i < cases; ++i) {
        const std::string text = mutator.Next();
        WriteBytes("fuzz-case.txt", text);
        if (logs) {
            WriteBytes(media / LogFileName, text);
            // Recorded where a run of the scope it names looks, so that it is carried that far.
            Setup.UserScope = ReadPackageFacts(media / LogFileName).userScope;
            RecordAsInstalled(media / LogFileName);
            PlanUninstall(media / LogFileName);
        } else {
            WriteBytes(media / ScriptFileName, text);
            PlanInstall(Setup.TempDir, i % 2 == 0);
        }
        InterlockedIncrement(&casesDone);
    }
    if (!logs) RemoveWorkFolder(Setup.TempDir);
    const bool untouched = Listing("C:") == before && Listing(programFiles) == programsBefore;
    std::printf("%s: %ld cases, seed %llu, %llu ms; %ld read, %ld %s; %s\n", logs ? "logs" : "scripts", cases, seed,
                GetTickCount64() - start, readCases, wholeCases, logs ? "carried as far as the removal" : "with a folder to install to",
                untouched ? "nothing made outside the working folders" : "SOMETHING WAS MADE");
    DeleteFileA("fuzz-case.txt");
    return untouched ? 0 : 2;
}
