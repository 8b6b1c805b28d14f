/* A DLL planted beside a program under the names of system DLLs. Whatever process loads it
   leaves a file "<its own path>.loaded" beside it; then it refuses the load, so that nothing
   goes on to call the functions it lacks. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
    char path[MAX_PATH + 8];
    DWORD length;
    HANDLE mark;
    (void)reserved;
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    length = GetModuleFileNameA(self, path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        lstrcatA(path, ".loaded");
        mark = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (mark != INVALID_HANDLE_VALUE) CloseHandle(mark);
    }
    return FALSE;
}
