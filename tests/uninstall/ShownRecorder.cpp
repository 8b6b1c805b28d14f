#include "uninstall/ShownRecorder.h"

#include <commctrl.h>

#include "uninstall/UninstallForm.h"

namespace uninstalltests {

namespace {

constexpr const char* BarPrefix = "bar=";

std::string WindowText(HWND window) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace

ShownRecorder::ShownRecorder(TUninstallForm& form)
    : watched_{{form.Handle(), "caption"},
               {form.UProgramName.Handle(), "UProgramName"},
               {form.UCurrentFile.Handle(), "UCurrentFile"},
               {form.ProgressBar1.Handle(), "bar"},
               {form.Button1.Handle(), "Button1"}} {
    for (size_t i = 0; i < watched_.size(); ++i)
        SetWindowSubclass(watched_[i].window, Listen, i, reinterpret_cast<DWORD_PTR>(this));
}

ShownRecorder::~ShownRecorder() {
    for (size_t i = 0; i < watched_.size(); ++i) RemoveWindowSubclass(watched_[i].window, Listen, i);
}

LRESULT CALLBACK ShownRecorder::Listen(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR index,
                                       DWORD_PTR self) {
    auto& recorder = *reinterpret_cast<ShownRecorder*>(self);
    const std::string& name = recorder.watched_[index].name;
    if (message == PBM_SETPOS) recorder.events_.push_back(BarPrefix + std::to_string(wParam));
    if (message == WM_PAINT && name == "UCurrentFile") recorder.events_.push_back(name + " painted");
    const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    // Read back after the window took it, whichever character set the message came in.
    if (message == WM_SETTEXT) recorder.events_.push_back(name + "=" + WindowText(window));
    return result;
}

std::vector<std::string> ShownRecorder::Shown() const {
    std::vector<std::string> shown;
    for (const std::string& event : events_)
        if (!event.ends_with(" painted")) shown.push_back(event);
    return shown;
}

std::vector<int> ShownRecorder::BarPositions() const {
    std::vector<int> positions;
    for (const std::string& event : events_)
        if (event.starts_with(BarPrefix)) positions.push_back(std::stoi(event.substr(4)));
    return positions;
}

}  // namespace uninstalltests
