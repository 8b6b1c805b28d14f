#include "toolkit/Application.h"

#include <commctrl.h>

#include "base/AsciiCase.h"
#include "base/OwnedHandle.h"
#include "base/SystemLibrary.h"
#include "base/Texts.h"
#include "toolkit/Dispatch.h"
#include "toolkit/Form.h"

Application& Application::Instance() {
    // Kept to the end of the process, never destroyed: the run destroys the forms itself
    // (DestroyForms), and the platform closes the rest at exit.
    static Application& application = *new Application;
    return application;
}

Status Application::Initialize() {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS};
    // Loaded here rather than imported: a run that shows no window does not wait for it. By
    // name, so that the manifest directs it to the version 6 controls.
    const HMODULE library = LoadLibraryExA("comctl32.dll", nullptr, 0);
    const auto initialize =
        library ? ProcAddress<decltype(&InitCommonControlsEx)>(library, "InitCommonControlsEx") : nullptr;
    if (initialize && initialize(&controls)) return {};
    return Status::Failed(Text(TextId::CommonControlsMissing));
}

HINSTANCE Application::InstanceHandle() const { return GetModuleHandleA(nullptr); }

void Application::Adopt(Form* form) {
    if (!mainForm_) mainForm_ = form;
    forms_.push_back(form);
}

void Application::Run() {
    if (!mainForm_) return;
    mainForm_->Show();
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) Dispatch(message);
}

// Unicode, so that a typed character is never turned into the bytes of the code page on its way.
void Application::Dispatch(MSG& message) {
    HWND active = GetActiveWindow();
    if (active && IsDialogMessageW(active, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

// The time is taken when the answering ends: a slow repaint must not leave the task no time
// before the next one.
bool Application::ProcessMessages() {
    MSG message;
    bool going = true;
    while (going && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        going = message.message != WM_QUIT;
        if (going)
            Dispatch(message);
        else
            PostQuitMessage(static_cast<int>(message.wParam));
    }
    lastAnswered_ = GetTickCount64();
    return going;
}

void Application::DestroyForms() {
    for (Form* form : forms_) form->DestroyHandle();
    forms_.clear();
    mainForm_ = nullptr;
}

int Application::ShowMessageBox(const std::string& text, const char* caption, UINT style) {
    if (script_) return script_->AnswerBox(text, caption, style);
    HWND active = GetActiveWindow();
    // Task-modal: every window of the application is disabled while the box is up.
    const int answer = MessageBoxA(nullptr, text.c_str(), caption,
                                   style | MB_TASKMODAL | (rightToLeft_ ? MB_RTLREADING | MB_RIGHT : 0));
    if (active && IsWindow(active)) SetActiveWindow(active);
    return answer;
}

void Application::ReportError(const std::string& message) {
    ShowMessageBox(message + ".", Title().c_str(), MB_OK | MB_ICONERROR);
}

std::string Application::Title() const {
    // Room for any path that fits the platform's buffer, at up to three bytes a character in UTF-8.
    char path[MAX_PATH * 3] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string name = path;
    const size_t slash = name.find_last_of("\\/:");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    for (size_t i = 1; i < name.size(); ++i)
        name[i] = AsciiLower(name[i]);
    return name;
}

// A timer rather than Sleep: the windows answer while it runs, and the pause lasts as long.
void Application::BeginPause(DWORD milliseconds) {
    pauseLength_ = milliseconds;
    if (!pauseTimer_.IsValid()) pauseTimer_.Reset(CreateWaitableTimerA(nullptr, TRUE, nullptr));
    LARGE_INTEGER due;
    due.QuadPart = -10000LL * milliseconds;  // relative, in units of 100 nanoseconds
    pauseTimed_ = pauseTimer_.IsValid() && SetWaitableTimer(pauseTimer_.Get(), &due, 0, nullptr, nullptr, FALSE);
}

void Application::EndPause() {
    if (!pauseTimed_) return Sleep(pauseLength_);
    HANDLE handle = pauseTimer_.Get();
    while (MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        // A quit request waits for the message loop; the pause still runs its course.
        if (!ProcessMessages()) {
            WaitForSingleObject(handle, INFINITE);
            return;
        }
    }
}

void ReportHandlerFailure(const Status& done) {
    if (!done) Application::Instance().ReportError(done.Message());
}
