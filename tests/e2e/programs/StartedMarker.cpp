// A program a package can install and a shortcut can start: it leaves started.txt beside itself,
// holding the folder it was started in, so a test sees that it ran, and where. Started with
// "--parent", it leaves parent.txt too, holding the number of the process that started it.
#include <windows.h>
#include <tlhelp32.h>

namespace {

DWORD ParentProcess() {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    DWORD parent = 0;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
        if (entry.th32ProcessID == GetCurrentProcessId()) parent = entry.th32ParentProcessID;
    CloseHandle(snapshot);
    return parent;
}

void WriteParent(wchar_t* path, wchar_t* slash) {
    lstrcpyW(slash + 1, L"parent.txt");
    char number[16];
    const int length = wsprintfA(number, "%lu", ParentProcess());
    const HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, number, static_cast<DWORD>(length), &written, nullptr);
    CloseHandle(file);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 1;
    wchar_t* slash = path + length;
    while (slash > path && *slash != L'\\') --slash;
    lstrcpyW(slash + 1, L"started.txt");
    wchar_t current[MAX_PATH] = {};
    const DWORD currentLength = GetCurrentDirectoryW(MAX_PATH, current);
    const HANDLE mark = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (mark == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(mark, current, currentLength * sizeof(wchar_t), &written, nullptr);
    CloseHandle(mark);
    if (wcsstr(GetCommandLineW(), L"--parent")) WriteParent(path, slash);
    return 0;
}
