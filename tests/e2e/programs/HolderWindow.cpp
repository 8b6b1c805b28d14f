// A program that holds files, for the tests of programs in use: a window titled "Holder Window"
// that ends on WM_CLOSE, or, started with "refuse", stays; started with "hold=PATH", it also keeps
// PATH open without sharing it, so that no one can replace, move or delete it until it ends.
#include <windows.h>

#include <cstring>

namespace {

bool refuses = false;

LRESULT CALLBACK HolderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE && refuses) return 0;
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
    refuses = std::strstr(arguments, "refuse") != nullptr;
    const char* hold = std::strstr(arguments, "hold=");
    const HANDLE held = hold ? CreateFileA(hold + 5, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                             : INVALID_HANDLE_VALUE;
    if (hold && held == INVALID_HANDLE_VALUE) return 2;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = HolderProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "HolderWindow";
    RegisterClassA(&windowClass);
    CreateWindowA("HolderWindow", "Holder Window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                  instance, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    return 0;
}
