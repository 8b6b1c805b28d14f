#include "e2e/UiDriver.h"

#include <commctrl.h>

#include <cstdio>

#include "support/WideText.h"

ProgramUnderTest::ProgramUnderTest(const std::string& exePath, const std::string& arguments,
                                   const std::string& workingFolder) {
    std::string commandLine = "\"" + exePath + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, workingFolder.c_str(),
                        &startup, &process_))
        process_ = {};
}

ProgramUnderTest::~ProgramUnderTest() {
    if (!Started()) return;
    if (!WaitForExit(0)) {
        TerminateProcess(process_.hProcess, 1);
        WaitForExit(5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool ProgramUnderTest::WaitForExit(DWORD milliseconds) {
    return Started() && WaitForSingleObject(process_.hProcess, milliseconds) == WAIT_OBJECT_0;
}

DWORD ProgramUnderTest::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (Started()) GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

namespace ui {

bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() >= end) return false;
        Sleep(50);
    }
}

std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return {};
    std::string text(length + 1, '\0');
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                             5000, &got))
        return {};
    text.resize(got);
    return text;
}

std::vector<HWND> TopWindows(DWORD processId, const std::string& className, const std::string& captionPart) {
    struct Search {
        DWORD processId;
        std::vector<HWND> found;
    } search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->processId && IsWindowVisible(window)) s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    std::vector<HWND> matching;
    for (HWND window : search.found) {
        if (!className.empty() && ClassOf(window) != className) continue;
        if (!captionPart.empty() && TextOf(window).find(captionPart) == std::string::npos) continue;
        matching.push_back(window);
    }
    return matching;
}

HWND WaitForWindow(DWORD processId, const std::string& className, const std::string& captionPart,
                   DWORD milliseconds) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            const auto windows = TopWindows(processId, className, captionPart);
            found = windows.empty() ? nullptr : windows.front();
            return found != nullptr;
        },
        milliseconds);
    return found;
}

bool WaitUntilGone(HWND window, DWORD milliseconds) {
    return WaitUntil([window] { return !IsWindow(window) || !IsWindowVisible(window); }, milliseconds);
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM data) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

HWND FindChild(HWND parent, const std::string& className, const std::string& text) {
    for (HWND child : Children(parent)) {
        if (!IsWindowVisible(child) || _stricmp(ClassOf(child).c_str(), className.c_str()) != 0) continue;
        if (text.empty() || TextOf(child) == text) return child;
    }
    return nullptr;
}

std::vector<std::string> LabelTexts(HWND window) {
    std::vector<std::string> texts;
    for (HWND child : Children(window)) {
        if (!IsWindowVisible(child) || _stricmp(ClassOf(child).c_str(), "Static") != 0) continue;
        const std::string text = TextOf(child);
        if (!text.empty()) texts.push_back(text);
    }
    return texts;
}

int BarPosition(HWND window, size_t index) {
    size_t seen = 0;
    for (HWND child : Children(window)) {
        if (ClassOf(child) != PROGRESS_CLASSA) continue;
        if (seen++ == index) return static_cast<int>(SendMessageA(child, PBM_GETPOS, 0, 0));
    }
    return -1;
}

// A click is the command the button sends its parent; posted, so a modal window the click
// opens does not hold the driver.
bool Press(HWND window, const std::string& caption) {
    HWND button = FindChild(window, "Button", caption);
    if (!button) return false;
    PostMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
    return true;
}

void SetText(HWND control, const std::string& text) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 5000,
                        &result);
}

void Type(HWND edit, const std::string& text) {
    SetText(edit, "");
    // As a keyboard types them: one character a message, in UTF-16.
    for (wchar_t c : WideText(text)) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(edit, WM_CHAR, c, 1, SMTO_ABORTIFHUNG, 5000, &result);
    }
}

void PressKey(HWND control, WPARAM key) {
    PostMessageA(control, WM_KEYDOWN, key, 1);
    PostMessageA(control, WM_KEYUP, key, 0xC0000001);
}

HWND FocusedControl(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

Box WaitForMessageBox(DWORD processId, DWORD milliseconds) {
    Box box;
    box.window = WaitForWindow(processId, MessageBoxClass, "", milliseconds);
    if (!box.window) return box;
    box.caption = TextOf(box.window);
    for (const std::string& text : LabelTexts(box.window)) box.text += text;
    return box;
}

bool Answer(const Box& box, int buttonId) {
    HWND button = GetDlgItem(box.window, buttonId);
    if (!button) return false;
    PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    return true;
}

namespace {

bool WriteBitmapFile(const std::string& path, const BITMAPINFOHEADER& header, const std::vector<char>& pixels) {
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    const bool ok = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&header, sizeof header, 1, out) == 1 &&
                    std::fwrite(pixels.data(), 1, pixels.size(), out) == pixels.size();
    return std::fclose(out) == 0 && ok;
}

}  // namespace

// Copied from the screen: the window is another process's, so it cannot paint into our DC.
bool SaveScreenshot(HWND window, const std::string& bmpPath) {
    // Once its thread answers, the window's activation is over; its painting follows at once.
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
    Sleep(300);
    RECT frame{};
    if (!GetWindowRect(window, &frame)) return false;
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    if (width <= 0 || height <= 0) return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const bool copied = BitBlt(memory, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY) != FALSE;
    SelectObject(memory, old);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    std::vector<char> pixels(stride * static_cast<size_t>(height));
    const bool read = copied && GetDIBits(memory, bitmap, 0, height, pixels.data(),
                                          reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS) == height;
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return read && WriteBitmapFile(bmpPath, header, pixels);
}

}  // namespace ui
