#include "toolkit/PageControl.h"

#include <commctrl.h>

#include "toolkit/Application.h"
#include "toolkit/Form.h"

namespace {

constexpr const char* PanelClass = "TTabSheet";

// A page passes its controls' notifications on to the form, where they are dispatched.
LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
            return SendMessageA(GetAncestor(window, GA_ROOT), message, wParam, lParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterPanelClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = PanelProc;
    windowClass.hInstance = Application::Instance().InstanceHandle();
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = PanelClass;
    RegisterClassExA(&windowClass);
    registered = true;
}

}  // namespace

TabSheet::TabSheet(PageControl& pages, const char* caption) : pages_(pages), caption_(caption) {
    RegisterPanelClass();
    const RECT area = pages.PageArea();
    panel_ = CreateWindowExA(WS_EX_CONTROLPARENT, PanelClass, "", WS_CHILD | WS_CLIPSIBLINGS, area.left, area.top,
                             area.right - area.left, area.bottom - area.top, pages.Handle(), nullptr,
                             Application::Instance().InstanceHandle(), nullptr);
    pages.AddPage(*this);
}

Form& TabSheet::OwnerForm() { return pages_.OwnerForm(); }

void TabSheet::SetTabVisible(bool visible) {
    tabVisible_ = visible;
    pages_.RebuildTabs();
}

PageControl::PageControl(Container& parent, const Bounds& bounds)
    : Control(parent, WC_TABCONTROLA, WS_CLIPCHILDREN | WS_TABSTOP, WS_EX_CONTROLPARENT, bounds, "") {}

RECT PageControl::PageArea() const {
    RECT area{};
    GetClientRect(Handle(), &area);
    // Leave room for one row of tabs even before any tab exists.
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>("X");
    const bool probe = TabCtrl_GetItemCount(Handle()) == 0;
    if (probe) SendMessageA(Handle(), TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    TabCtrl_AdjustRect(Handle(), FALSE, &area);
    if (probe) TabCtrl_DeleteItem(Handle(), 0);
    return area;
}

void PageControl::Refit() {
    const RECT area = PageArea();
    for (TabSheet* page : pages_)
        MoveWindow(page->panel_, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
}

void PageControl::AddPage(TabSheet& page) {
    pages_.push_back(&page);
    RebuildTabs();
    if (!active_) SetActivePage(page);
}

std::vector<TabSheet*> PageControl::VisiblePages() const {
    std::vector<TabSheet*> visible;
    for (TabSheet* page : pages_)
        if (page->TabVisible()) visible.push_back(page);
    return visible;
}

std::vector<std::string> PageControl::VisibleTabCaptions() const {
    std::vector<std::string> captions;
    for (TabSheet* page : VisiblePages()) captions.push_back(page->Caption());
    return captions;
}

void PageControl::RebuildTabs() {
    TabCtrl_DeleteAllItems(Handle());
    int index = 0;
    for (TabSheet* page : VisiblePages()) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(page->Caption().c_str());
        SendMessageA(Handle(), TCM_INSERTITEMA, index++, reinterpret_cast<LPARAM>(&item));
    }
    if (active_) SetActivePage(*active_);
}

void PageControl::SetActivePage(TabSheet& page) {
    active_ = &page;
    const std::vector<TabSheet*> visible = VisiblePages();
    for (size_t i = 0; i < visible.size(); ++i)
        if (visible[i] == &page) TabCtrl_SetCurSel(Handle(), static_cast<int>(i));
    for (TabSheet* each : pages_) ShowWindow(each->panel_, each == &page ? SW_SHOW : SW_HIDE);
}

std::optional<LRESULT> PageControl::OnNotify(NMHDR& header) {
    if (header.code != TCN_SELCHANGE) return std::nullopt;
    const int selected = TabCtrl_GetCurSel(Handle());
    const std::vector<TabSheet*> visible = VisiblePages();
    if (selected >= 0 && static_cast<size_t>(selected) < visible.size()) SetActivePage(*visible[selected]);
    return 0;
}
