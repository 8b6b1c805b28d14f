#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "base/Status.h"
#include "toolkit/Control.h"
#include "toolkit/DisplayScale.h"
#include "toolkit/Layout.h"
#include "toolkit/ScopedFont.h"

// Modal results, as the platform's button values.
inline constexpr int ResultOk = IDOK;
inline constexpr int ResultCancel = IDCANCEL;
inline constexpr int ResultYes = IDYES;
inline constexpr int ResultNo = IDNO;

// A top-level window, made hidden. Showing it runs its activation handler once, after it is
// visible (and, for a modal showing, before its modal loop). Closing the main form posts the
// quit request; closing a form shown modally ends the showing with ResultCancel.
class Form : public Container {
public:
    explicit Form(const FormLayout& layout);
    // Not virtual: no form is destroyed through this class (the application keeps its forms to
    // the end of the process); a form made on its own is destroyed as what it is.
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    HWND Handle() const { return handle_; }
    HWND ContainerHandle() const override { return handle_; }
    Form& OwnerForm() override { return *this; }
    HFONT FontHandle() const { return font_.Get(); }
    // How its controls' design lengths become pixels.
    const DisplayScale& Scale() const { return scale_; }

    void Show();
    void Hide();
    bool Visible() const;
    int ShowModal();
    bool ShowingModally() const { return modal_; }
    void SetModalResult(int result) { modalResult_ = result; }
    int ModalResult() const { return modalResult_; }
    void Close();

    // While a form is busy its buttons and close do nothing. It still repaints and moves
    // whenever the task that keeps it busy lets the windows answer (Update).
    void SetBusy(bool busy) { busy_ = busy; }

    // Widens the window's client area to `designWidth` when it is narrower, keeping it on the screen.
    void HoldWidth(int designWidth);
    // The widest its client area can be on the screen, as a design length.
    int WidestClient() const;
    // A control that grew `added` taller: the controls below it move down, and the window and
    // what holds the control (a page) grow as much, keeping the window on the screen.
    void MakeRoomBelow(const Control& grown, int added);

    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    // Repaints the window and its controls' pending changes at once, and keeps the windows
    // answering (Application::KeepAnswering).
    void Update() const;

    void RegisterControl(Control& control);
    void DestroyHandle();

    // Its failure reaches the default error report, and the showing goes on.
    virtual Status FormActivate() { return {}; }

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // What the form does when its window is destroyed, and when the mouse moves over it; nothing
    // when null. Set by the one form of each that acts on it, rather than two more entries in
    // every form's table of virtual functions.
    void (*onDestroy_)(Form& form) = nullptr;
    void (*onMouseMove_)(Form& form) = nullptr;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    Control* FindControl(HWND window) const;
    void RunActivation();
    void ChooseTaskbarButton();
    void Place();
    void Rescale(const DisplayScale& scale);

    HWND handle_ = nullptr;
    FormLayout layout_;
    std::string caption_;
    DisplayScale scale_;
    ScopedFont font_;
    std::vector<Control*> controls_;  // a window holds a handful
    bool modal_ = false;
    bool busy_ = false;
    int modalResult_ = 0;
};

// Keeps a form busy for its own life, whichever way that ends.
class BusyScope {
public:
    explicit BusyScope(Form& form) : form_(form) { form_.SetBusy(true); }
    ~BusyScope() { form_.SetBusy(false); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    Form& form_;
};

// Registers the window class for forms of this name (idempotent).
void RegisterFormClass(const char* className);
