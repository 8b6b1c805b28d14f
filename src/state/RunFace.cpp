#include "state/RunFace.h"

#include "base/FormatText.h"
#include "base/Texts.h"
#include "state/SetupState.h"
#include "toolkit/Application.h"

namespace {

class ScreenFace final : public RunFace {
public:
    int Ask(const std::string& text, const char* caption, UINT style) override {
        Note(FormatText("%s: %s", caption, text.c_str()));
        return Application::Instance().ShowMessageBox(text, caption, style);
    }
    void BeginPause(DWORD milliseconds) override { Application::Instance().BeginPause(milliseconds); }
    void EndPause() override { Application::Instance().EndPause(); }
    void Beep() override { MessageBeep(MB_ICONEXCLAMATION); }
    void Note(const std::string& text) override {
        if (Setup.ScreenLog) Setup.ScreenLog->Note(text);
    }
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

void ReportEntries(const std::string& text, const std::vector<std::string>& entries, const char* caption, UINT icon) {
    constexpr size_t MaxListed = 10;
    if (entries.empty()) return;
    std::string list = text;
    for (size_t i = 0; i < entries.size() && i < MaxListed; ++i) list.append("\n").append(entries[i]);
    if (entries.size() > MaxListed) list += FormatText(TextId::AndMore, static_cast<unsigned>(entries.size() - MaxListed));
    Face().Ask(list, caption, MB_OK | icon);
}
