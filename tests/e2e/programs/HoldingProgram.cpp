// A program that holds a package file while it runs, as a running program holds its own files
// (others may read, rename or delete it, never write it): holding-program.exe <file> close|refuse.
// Its window closes on the platform's close message, or, with "refuse", ignores it.
#include <windows.h>
#include <shellapi.h>

namespace {

bool refuses = false;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE && refuses) return 0;
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments || count < 3) return 2;
    refuses = lstrcmpW(arguments[2], L"refuse") == 0;
    const HANDLE held = CreateFileW(arguments[1], GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (held == INVALID_HANDLE_VALUE) return 3;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"HoldingProgram";
    RegisterClassW(&windowClass);
    CreateWindowW(L"HoldingProgram", refuses ? L"Holding, refusing to close" : L"Holding", WS_OVERLAPPEDWINDOW, 0, 0,
                  200, 100, nullptr, nullptr, instance, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    CloseHandle(held);
    return 0;
}
