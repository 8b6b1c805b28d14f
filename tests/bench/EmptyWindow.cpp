// The yardstick for start-up: an empty Win32 window started as setup.exe is, and nothing else.
#include <windows.h>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "EmptyWindow";
    RegisterClassA(&windowClass);
    CreateWindowA("EmptyWindow", "Empty", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 429, 279, nullptr, nullptr,
                  instance, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
