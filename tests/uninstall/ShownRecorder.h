#pragma once
#include <windows.h>

#include <string>
#include <vector>

class TUninstallForm;

namespace uninstalltests {

// Records, in order, what the uninstall window shows while a run goes on without a message
// loop: every caption set on the window and its controls ("UCurrentFile=<text>", "caption=<text>"),
// every bar position ("bar=<n>") and every repaint of the current-item label ("UCurrentFile painted").
// It listens on the controls' own windows, so the window's code knows nothing of it.
class ShownRecorder {
public:
    explicit ShownRecorder(TUninstallForm& form);
    ~ShownRecorder();
    ShownRecorder(const ShownRecorder&) = delete;
    ShownRecorder& operator=(const ShownRecorder&) = delete;

    const std::vector<std::string>& Events() const { return events_; }
    // The events without the repaints.
    std::vector<std::string> Shown() const;
    std::vector<int> BarPositions() const;

private:
    struct Watched {
        HWND window;
        std::string name;
    };
    static LRESULT CALLBACK Listen(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR index,
                                   DWORD_PTR self);

    std::vector<Watched> watched_;
    std::vector<std::string> events_;
};

}  // namespace uninstalltests
