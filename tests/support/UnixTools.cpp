#include "support/UnixTools.h"

#include <windows.h>

#include "support/TestFiles.h"
#include "support/WideText.h"

namespace {

using UnixFileNameFunction = char*(CDECL*)(const WCHAR*);
using DosFileNameFunction = WCHAR*(CDECL*)(const char*);

// Wine's own path conversions; they exist only under wine, which is where the tests run.
template <class Function>
Function WineExport(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), name)));
}

std::string DosPathOf(const std::string& unixPath) {
    const auto toDos = WineExport<DosFileNameFunction>("wine_get_dos_file_name");
    if (!toDos) return {};
    WCHAR* dos = toDos(unixPath.c_str());
    if (!dos) return {};
    char buffer[MAX_PATH] = {};
    WideCharToMultiByte(CP_ACP, 0, dos, -1, buffer, MAX_PATH, nullptr, nullptr);
    HeapFree(GetProcessHeap(), 0, dos);
    return buffer;
}

bool StartProcess(std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace

std::string UnixPathOf(const std::string& windowsPath) {
    const auto toUnix = WineExport<UnixFileNameFunction>("wine_get_unix_file_name");
    if (!toUnix) return {};
    char* unixPath = toUnix(WideText(windowsPath).c_str());
    if (!unixPath) return {};
    std::string result = unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result;
}

std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Wine starts a Linux program detached: its process handle neither waits nor tells the exit
// code. So the wrapper leaves the code in a file, renamed into place once complete.
UnixCommandResult RunUnixScript(const std::string& script) {
    TempFolder work;
    WriteTextFile(work / "run.sh", script);
    WriteTextFile(work / "main.sh",
                  "cd \"$(dirname \"$0\")\"\n"
                  "PATH=/usr/local/bin:/usr/bin:/bin; export PATH\n"
                  "sh ./run.sh >output 2>&1 </dev/null\n"
                  "echo $? >status.part\n"
                  "mv status.part status\n");
    UnixCommandResult result;
    const std::string shell = DosPathOf("/bin/sh");
    if (shell.empty() || !StartProcess("\"" + shell + "\" \"" + UnixPathOf(work / "main.sh") + "\"")) return result;
    for (int waited = 0; waited < 60000 && !FileExists(work / "status"); waited += 20) Sleep(20);
    if (!FileExists(work / "status")) return result;
    result.exitCode = std::stoi(ReadTextFile(work / "status"));
    result.output = ReadTextFile(work / "output");
    return result;
}

bool MakeLink(const std::string& link, const std::string& target) {
    return RunUnixScript("ln -s " + ShellQuoted(UnixPathOf(target)) + " " + ShellQuoted(UnixPathOf(link)) + "\n")
               .exitCode == 0;
}
