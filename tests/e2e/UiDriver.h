#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Drives setup.exe as a person would, from the test process in the same wine session: finds
// its windows, reads labels and bars, presses buttons, answers message boxes and saves
// screenshots. Every wait is bounded.

// A started program; it is ended when the object goes while the program still runs.
class ProgramUnderTest {
public:
    ProgramUnderTest(const std::string& exePath, const std::string& arguments, const std::string& workingFolder);
    ~ProgramUnderTest();
    ProgramUnderTest(const ProgramUnderTest&) = delete;
    ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

    bool Started() const { return process_.hProcess != nullptr; }
    DWORD ProcessId() const { return process_.dwProcessId; }
    // True when the program ended within the time; its exit code is then in ExitCode().
    bool WaitForExit(DWORD milliseconds);
    DWORD ExitCode() const;

private:
    PROCESS_INFORMATION process_{};
};

namespace ui {

inline constexpr DWORD DefaultTimeout = 20000;
inline constexpr const char* MessageBoxClass = "#32770";

// Polls `condition` until it holds or the time is up; true when it held.
bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds = DefaultTimeout);

// The visible top-level windows of the process, of the class (any when empty) whose caption
// contains `captionPart` (any when empty).
std::vector<HWND> TopWindows(DWORD processId, const std::string& className, const std::string& captionPart = "");
// Waits for one such window; nullptr when none came in time.
HWND WaitForWindow(DWORD processId, const std::string& className, const std::string& captionPart = "",
                   DWORD milliseconds = DefaultTimeout);
// Waits until the window is gone or hidden.
bool WaitUntilGone(HWND window, DWORD milliseconds = DefaultTimeout);

std::string ClassOf(HWND window);
// The text of a window or control, read through the window message, so it works across processes.
std::string TextOf(HWND window);
// Every child control, depth first.
std::vector<HWND> Children(HWND parent);
// The first visible child of the class whose text is `text` exactly (any text when empty);
// nullptr when none.
HWND FindChild(HWND parent, const std::string& className, const std::string& text = "");
// The texts of the visible labels of a window, in child order (a message box's text among them).
std::vector<std::string> LabelTexts(HWND window);
// The position of the n-th progress bar (0 first).
int BarPosition(HWND window, size_t index);

// Presses the visible button with this caption as a click does; false when there is none.
bool Press(HWND window, const std::string& caption);
// Replaces an edit box's text as typing it does (the box counts it as modified).
void Type(HWND edit, const std::string& text);
void SetText(HWND control, const std::string& text);
// Sends a key press to a control.
void PressKey(HWND control, WPARAM key);
// The control of `window`'s thread that has the keyboard; null when none has.
HWND FocusedControl(HWND window);

// Waits for a message box of the process, checks nothing, returns it with its text.
struct Box {
    HWND window = nullptr;
    std::string caption;
    std::string text;
};
Box WaitForMessageBox(DWORD processId, DWORD milliseconds = DefaultTimeout);
// Presses the message box's button of that id (IDYES, IDNO, IDOK, IDCANCEL).
bool Answer(const Box& box, int buttonId);

// Saves what the window shows as a 24-bit .bmp file; false when it could not.
bool SaveScreenshot(HWND window, const std::string& bmpPath);

}  // namespace ui
