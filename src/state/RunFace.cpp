#include "state/RunFace.h"

#include "base/Texts.h"
#include "state/SetupState.h"
#include "toolkit/Application.h"

namespace {

class ScreenFace final : public RunFace {
public:
    int Ask(const std::string& text, const char* caption, UINT style) override {
        return Application::Instance().ShowMessageBox(text, caption, style);
    }
    void BeginPause(DWORD milliseconds) override { Application::Instance().BeginPause(milliseconds); }
    void EndPause() override { Application::Instance().EndPause(); }
    void Beep() override { MessageBeep(MB_ICONEXCLAMATION); }
};

}  // namespace

RunFace& Face() {
    static ScreenFace screen;
    return Setup.Face ? *Setup.Face : screen;
}

void ReportFailure(const Status& failure) {
    if (failure.IsFatal())
        Face().Ask(failure.Message(), Text(TextId::FatalErrorCaption), MB_OK | MB_ICONERROR);
    else
        Face().Ask(failure.Message() + ".", Application::Instance().Title().c_str(), MB_OK | MB_ICONERROR);
}
