// setup.exe takes the window and shell DLLs only when it first calls into them: the loader's own
// account of what a run loads (the debugger's events) shows an unattended install and uninstall
// without them, and a windowed run with them, from the System folder.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2e/SetupMedia.h"
#include "support/TestFiles.h"

namespace {

struct DebuggedRun {
    DWORD exitCode = STILL_ACTIVE;
    std::vector<std::string> dlls;  // full paths, lower case, in the order they were loaded
};

std::string LowerCase(std::string text) {
    CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// The path the loader took the DLL of `loaded` by, read from the process: a pointer to the name's
// address, wide or narrow as the event says; empty when it gives none.
std::string ImageName(HANDLE process, const LOAD_DLL_DEBUG_INFO& loaded) {
    void* address = nullptr;
    SIZE_T read = 0;
    if (!loaded.lpImageName || !ReadProcessMemory(process, loaded.lpImageName, &address, sizeof address, &read) || !address)
        return {};
    wchar_t wide[MAX_PATH] = {};
    char narrow[MAX_PATH] = {};
    if (!ReadProcessMemory(process, address, loaded.fUnicode ? static_cast<void*>(wide) : narrow,
                           loaded.fUnicode ? sizeof wide - sizeof(wchar_t) : sizeof narrow - 1, &read))
        return {};
    if (!loaded.fUnicode) return narrow;
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, narrow, sizeof narrow - 1, nullptr, nullptr);
    return narrow;
}

// Runs `commandLine` in `folder` as its debugger, which the platform tells of every DLL the
// process loads, until it ends (or a minute has passed); ended as soon as it loads `endAt`.
DebuggedRun RunDebugged(std::string commandLine, const std::string& folder, const std::string& endAt = "") {
    DebuggedRun run;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS, nullptr,
                        folder.c_str(), &startup, &process))
        return run;
    const ULONGLONG deadline = GetTickCount64() + 60000;
    for (bool ended = false; !ended && GetTickCount64() < deadline;) {
        DEBUG_EVENT event{};
        if (!WaitForDebugEvent(&event, 1000)) continue;
        DWORD status = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
        case LOAD_DLL_DEBUG_EVENT:
            if (const std::string name = ImageName(process.hProcess, event.u.LoadDll); !name.empty())
                run.dlls.push_back(LowerCase(name));
            if (event.u.LoadDll.hFile) CloseHandle(event.u.LoadDll.hFile);
            if (!endAt.empty() && !run.dlls.empty() && run.dlls.back().ends_with("\\" + endAt))
                TerminateProcess(process.hProcess, 0);
            break;
        case CREATE_PROCESS_DEBUG_EVENT:
            if (event.u.CreateProcessInfo.hFile) CloseHandle(event.u.CreateProcessInfo.hFile);
            break;
        case EXCEPTION_DEBUG_EVENT:
            // The first breakpoint is the debugger's; the program's own exceptions are its own.
            if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT) status = DBG_EXCEPTION_NOT_HANDLED;
            break;
        case EXIT_PROCESS_DEBUG_EVENT:
            run.exitCode = event.u.ExitProcess.dwExitCode;
            ended = true;
            break;
        }
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
    }
    if (run.exitCode == STILL_ACTIVE) TerminateProcess(process.hProcess, 1);
    DebugActiveProcessStop(process.dwProcessId);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return run;
}

// The DLLs of `run` named `name` (with the folder they were loaded from).
std::vector<std::string> Loaded(const DebuggedRun& run, const std::string& name) {
    std::vector<std::string> found;
    for (const std::string& dll : run.dlls)
        if (dll.size() > name.size() && dll.compare(dll.size() - name.size() - 1, std::string::npos, "\\" + name) == 0)
            found.push_back(dll);
    return found;
}

}  // namespace

TEST(LateImports, AnUnattendedRunNeverLoadsTheWindowSystemAWindowedOneLoadsItFromTheSystemFolder) {
    const SetupMedia media("[Package]\nname=Late Imports\n[Licence]\nlicence=none\n[InstallFolder]\n"
                           "install=%%PROGPATH%%\\Late Imports\n[Disks]\nn=1\n[ProgramFiles01]\nf1=%%INSTALLPATH%%\\a.txt\n",
                           "", {{{"a.txt", "installed"}}});
    ASSERT_EQ(media.Error(), "");
    TempFolder target;
    const std::string setup = "\"" + media.First() + "\\setup.exe\"";
    const DebuggedRun install = RunDebugged(setup + " /S /D=" + target.Path(), media.First());
    EXPECT_EQ(install.exitCode, 0u);
    EXPECT_EQ(ReadTextFile(target / "a.txt"), "installed");
    ASSERT_FALSE(Loaded(install, "kernel32.dll").empty()) << "the debugger saw the loads";
    const DebuggedRun uninstall = RunDebugged(setup + " /S " + (target / "uninstal.ini"), media.First());
    EXPECT_EQ(uninstall.exitCode, 0u);
    EXPECT_FALSE(FileExists(target / "a.txt"));
    for (const DebuggedRun* run : {&install, &uninstall})
        for (const char* dll : {"user32.dll", "gdi32.dll", "shell32.dll", "ole32.dll", "comctl32.dll"})
            EXPECT_TRUE(Loaded(*run, dll).empty()) << dll << (run == &install ? " (install)" : " (uninstall)");

    // A run that shows its windows, ended as soon as it has loaded what it shows them with.
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, MAX_PATH);
    const DebuggedRun windowed = RunDebugged(setup, media.First(), "user32.dll");
    const std::vector<std::string> user32 = Loaded(windowed, "user32.dll");
    ASSERT_FALSE(user32.empty());
    EXPECT_EQ(user32[0], LowerCase(std::string(system) + "\\user32.dll"));
}
