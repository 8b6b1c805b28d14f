#include "toolkit/Application.h"

#include <commctrl.h>

#include <cctype>

#include "base/SetupError.h"
#include "toolkit/Dispatch.h"
#include "toolkit/Form.h"

Application& Application::Instance() {
    static Application application;
    return application;
}

void Application::Initialize() {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS};
    if (!InitCommonControlsEx(&controls)) throw SetupError("Unable to load the common controls");
}

HINSTANCE Application::InstanceHandle() const { return GetModuleHandleA(nullptr); }

void Application::Adopt(std::unique_ptr<Form> form) {
    if (!mainForm_) mainForm_ = form.get();
    forms_.push_back(std::move(form));
}

void Application::Run() {
    if (!mainForm_) return;
    mainForm_->Show();
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (PreTranslate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool Application::PreTranslate(MSG& message) {
    HWND active = GetActiveWindow();
    return active && IsDialogMessageA(active, &message);
}

void Application::DestroyForms() {
    for (auto& form : forms_) form->DestroyHandle();
    forms_.clear();
    mainForm_ = nullptr;
}

int Application::ShowMessageBox(const std::string& text, const std::string& caption, UINT style) {
    if (messageBoxScript) return messageBoxScript(text, caption, style);
    HWND active = GetActiveWindow();
    // Task-modal: every window of the application is disabled while the box is up.
    const int answer = MessageBoxA(nullptr, text.c_str(), caption.c_str(), style | MB_TASKMODAL);
    if (active && IsWindow(active)) SetActiveWindow(active);
    return answer;
}

void Application::ReportError(const std::string& message) {
    ShowMessageBox(message + ".", Title(), MB_OK | MB_ICONERROR);
}

std::string Application::Title() const {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name = path;
    const size_t slash = name.find_last_of("\\/:");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    for (size_t i = 1; i < name.size(); ++i)
        name[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[i])));
    return name;
}

void Application::Pause(DWORD milliseconds) {
    if (pauseScript)
        pauseScript(milliseconds);
    else
        Sleep(milliseconds);
}

void ReportHandlerError(const std::exception& error) noexcept {
    try {
        Application::Instance().ReportError(error.what());
    } catch (...) {
    }
}

void ReportUnknownHandlerError() noexcept {
    try {
        Application::Instance().ReportError("Unexpected error");
    } catch (...) {
    }
}
