#include "toolkit/Form.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Dispatch.h"
#include "toolkit/DisplayScale.h"

namespace {

DWORD StyleFor(FormBorder border) {
    switch (border) {
        case FormBorder::Single:
            return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
        case FormBorder::SingleNoMenu:
            return WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN;
        case FormBorder::Dialog:
            return WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
    }
    return WS_OVERLAPPEDWINDOW;
}

// A language written right to left mirrors the window and all in it, its bars filling from the
// right; text keeps the reading order of what it says, so paths and file names read left to right.
DWORD ExStyleFor(FormBorder border) {
    return WS_EX_CONTROLPARENT | (border == FormBorder::Dialog ? WS_EX_DLGMODALFRAME : 0) |
           (Application::Instance().RightToLeft() ? WS_EX_LAYOUTRTL : 0);
}

struct DisableWalk {
    HWND except;
    std::vector<HWND> disabled;
};

BOOL CALLBACK DisableIfOther(HWND window, LPARAM data) {
    auto* walk = reinterpret_cast<DisableWalk*>(data);
    // A top-level window: its own style says whether it is visible and enabled.
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    if (window != walk->except && (style & WS_VISIBLE) && !(style & WS_DISABLED)) {
        EnableWindow(window, FALSE);
        walk->disabled.push_back(window);
    }
    return TRUE;
}

// The program's own icon at the size the platform shows in that place; null when it has none.
HICON ProgramIcon(int widthMetric, int heightMetric) {
    return static_cast<HICON>(LoadImageA(Application::Instance().InstanceHandle(), MAKEINTRESOURCEA(ProgramIconId), IMAGE_ICON,
                                         GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric), LR_SHARED));
}

// The most room a window or page keeps below its lowest control when a control grows into it.
constexpr int BottomRoom = 8;

// A design length long enough to compare two scales by.
constexpr int ScaleProbe = 960;

// The primary monitor's screen less the task bar: the layouts put every window there.
RECT WorkArea() {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

// The width and height the frame adds to a client area.
SIZE FrameSize(const FormLayout& layout) {
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, StyleFor(layout.border), FALSE, ExStyleFor(layout.border));
    return {frame.right - frame.left, frame.bottom - frame.top};
}

// A layout scaled to the DPI that would not fit its screen is scaled down until it does, so
// that every button can be reached.
DisplayScale ScaleOnScreen(const FormLayout& layout) {
    const RECT work = WorkArea();
    const SIZE frame = FrameSize(layout);
    return DisplayScale::Fitting(layout.bounds.width, layout.bounds.height,
                                 {work.right - work.left - frame.cx, work.bottom - work.top - frame.cy});
}

// `start` moved the least that puts [start, start + length) within [low, high).
int Within(int start, int length, int low, int high) {
    return std::max(low, std::min(start, high - length));
}

// The window's rectangle: where the layout puts it, moved to lie wholly within the work area.
RECT PlaceOnScreen(const FormLayout& layout, const DisplayScale& scale) {
    const RECT work = WorkArea();
    const SIZE frame = FrameSize(layout);
    const int width = scale.ToPixels(layout.bounds.width) + frame.cx;
    const int height = scale.ToPixels(layout.bounds.height) + frame.cy;
    const int left = Within(scale.ToPixels(layout.bounds.left), width, work.left, work.right);
    const int top = Within(scale.ToPixels(layout.bounds.top), height, work.top, work.bottom);
    return {left, top, left + width, top + height};
}

// The other visible, enabled windows of the thread, disabled while a form is shown modally.
std::vector<HWND> DisableOtherWindows(HWND except) {
    DisableWalk walk{except, {}};
    EnumThreadWindows(GetCurrentThreadId(), DisableIfOther, reinterpret_cast<LPARAM>(&walk));
    return walk.disabled;
}

}  // namespace

void RegisterFormClass(const char* className) {
    // Registered once: the platform refuses to register a class that is there already.
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Form::WindowProc;
    windowClass.hInstance = Application::Instance().InstanceHandle();
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hIcon = ProgramIcon(SM_CXICON, SM_CYICON);
    windowClass.hIconSm = ProgramIcon(SM_CXSMICON, SM_CYSMICON);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className;
    RegisterClassExA(&windowClass);
}

Form::Form(const FormLayout& layout)
    : layout_(layout), caption_(layout.caption), scale_(ScaleOnScreen(layout)), font_(layout.font, scale_) {
    RegisterFormClass(layout.className);
    const RECT frame = PlaceOnScreen(layout, scale_);
    Form* main = Application::Instance().MainForm();
    HWND owner = main ? main->Handle() : nullptr;
    handle_ = CreateWindowExA(ExStyleFor(layout.border), layout.className, layout.caption, StyleFor(layout.border),
                              frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top, owner,
                              nullptr, Application::Instance().InstanceHandle(), this);
}

Form::~Form() { DestroyHandle(); }

void Form::DestroyHandle() {
    if (handle_ && IsWindow(handle_)) DestroyWindow(handle_);
    handle_ = nullptr;
}

void Form::RegisterControl(Control& control) { controls_.push_back(&control); }

Control* Form::FindControl(HWND window) const {
    for (Control* control : controls_)
        if (control->Handle() == window) return control;
    return nullptr;
}

void Form::Show() {
    ChooseTaskbarButton();
    ShowWindow(handle_, SW_SHOW);
    SetForegroundWindow(handle_);
    RedrawWindow(handle_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    RunActivation();
}

void Form::RunActivation() { ReportHandlerFailure(FormActivate()); }

// The forms are owned by the main form, whose task-bar button stands for the run. While it is
// hidden a form shown carries a button of its own, so the user can always get back to it.
void Form::ChooseTaskbarButton() {
    const Form* main = Application::Instance().MainForm();
    const bool ownButton = main && main != this && !main->Visible();
    const LONG_PTR exStyle = GetWindowLongPtrW(handle_, GWL_EXSTYLE);
    SetWindowLongPtrW(handle_, GWL_EXSTYLE, ownButton ? exStyle | WS_EX_APPWINDOW : exStyle & ~WS_EX_APPWINDOW);
}

void Form::Hide() { ShowWindow(handle_, SW_HIDE); }

// A form is a top-level window: its own style says whether it is visible.
bool Form::Visible() const { return GetWindowLongPtrW(handle_, GWL_STYLE) & WS_VISIBLE; }

int Form::ShowModal() {
    Application& application = Application::Instance();
    modalResult_ = 0;
    if (UiScript* script = application.Script()) {
        if (const std::optional<int> scripted = script->AnswerModal(*this)) return *scripted;
    }
    HWND previous = GetActiveWindow();
    const std::vector<HWND> disabled = DisableOtherWindows(handle_);
    modal_ = true;
    Show();
    MSG message;
    while (modalResult_ == 0) {
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
            // The quit request belongs to the outer loop: pass it on and end this showing.
            PostQuitMessage(static_cast<int>(message.wParam));
            modalResult_ = ResultCancel;
            break;
        }
        application.Dispatch(message);
    }
    modal_ = false;
    for (HWND window : disabled) EnableWindow(window, TRUE);
    Hide();
    if (previous && IsWindow(previous)) SetActiveWindow(previous);
    return modalResult_;
}

void Form::Close() {
    if (this == Application::Instance().MainForm())
        PostQuitMessage(0);
    else if (modal_)
        modalResult_ = ResultCancel;
    else
        Hide();
}

int Form::WidestClient() const {
    const RECT work = WorkArea();
    return scale_.ToDesignLength(work.right - work.left - FrameSize(layout_).cx) - 1;
}

void Form::HoldWidth(int designWidth) {
    // Never wider than the screen: a caption longer than that wraps (Control::GrowTaller).
    const int width = std::min(designWidth, WidestClient());
    if (width <= layout_.bounds.width) return;
    layout_.bounds.width = width;
    Place();
}

void Form::MakeRoomBelow(const Control& grown, int added) {
    const Bounds at = grown.GetBounds();
    const int below = at.top + at.height - added;
    HWND holder = GetParent(grown.Handle());
    Control* pages = nullptr;
    int lowestBefore = below;
    int lowest = 0;
    for (Control* control : controls_) {
        if (GetParent(holder) == control->Handle()) pages = control;
        if (GetParent(control->Handle()) != holder) continue;
        Bounds bounds = control->GetBounds();
        if (control != &grown) lowestBefore = std::max(lowestBefore, bounds.top + bounds.height);
        if (control != &grown && bounds.top >= below) {
            bounds.top += added;
            control->SetBounds(bounds);
        }
        lowest = std::max(lowest, bounds.top + bounds.height);
    }
    // What holds it grows only as far as it must to keep some room below its lowest control.
    RECT area{};
    GetClientRect(holder, &area);
    const int height = scale_.ToDesignLength(area.bottom);
    const int grow = lowest + std::min(BottomRoom, height - lowestBefore) - height;
    if (grow <= 0) return;
    if (!pages) {
        layout_.bounds.height += grow;
        Place();
        return;
    }
    // A page: its page control and every page of it grow, and the window with them.
    pages->GrowTaller(pages->GetBounds().height + grow, true);
    pages->Refit();
}

void Form::Place() {
    // A window that grew beyond its screen is scaled down until it fits, as a layout is when made.
    const DisplayScale fitting = ScaleOnScreen(layout_);
    if (fitting.ToPixels(ScaleProbe) < scale_.ToPixels(ScaleProbe)) Rescale(fitting);
    const RECT frame = PlaceOnScreen(layout_, scale_);
    MoveWindow(handle_, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top, TRUE);
}

void Form::Rescale(const DisplayScale& scale) {
    scale_ = scale;
    font_.Remake(layout_.font, scale_);
    for (Control* control : controls_) control->Rescale();
    // A text can take more lines in fonts of the new size than the old lines scaled down.
    for (Control* control : controls_) control->Refit();
}

void Form::SetCaption(const std::string& caption) {
    caption_ = caption;
    SendMessageA(handle_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(caption.c_str()));
}

void Form::Update() const {
    RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Application::Instance().KeepAnswering();
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            if (busy_) return 0;
            if (Control* control = FindControl(reinterpret_cast<HWND>(lParam))) {
                control->OnCommand(HIWORD(wParam));
                return 0;
            }
            break;
        }
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (Control* control = FindControl(header->hwndFrom)) {
                if (const auto result = control->OnNotify(*header)) return *result;
            }
            break;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
            if (Control* control = FindControl(reinterpret_cast<HWND>(lParam))) {
                if (const auto result = control->OnControlColor(reinterpret_cast<HDC>(wParam))) return *result;
            }
            break;
        case WM_CLOSE:
            if (!busy_) Close();
            return 0;
        case WM_MOUSEMOVE:
            if (onMouseMove_) onMouseMove_(*this);
            return 0;
        case WM_DESTROY:
            if (onDestroy_) onDestroy_(*this);
            return 0;
    }
    return DefWindowProcA(handle_, message, wParam, lParam);
}

LRESULT CALLBACK Form::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!form || form->handle_ != window) return DefWindowProcA(window, message, wParam, lParam);
    return form->HandleMessage(message, wParam, lParam);
}
