// A program a package can install and a shortcut can start: it leaves started.txt beside itself,
// holding the folder it was started in, so a test sees that it ran, and where.
#include <windows.h>

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
    return 0;
}
