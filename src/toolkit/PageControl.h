#pragma once
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Control.h"

class PageControl;

// One page of a PageControl: a panel that holds controls, with a tab that can be hidden.
class TabSheet : public Container {
public:
    TabSheet(PageControl& pages, const char* caption);
    TabSheet(const TabSheet&) = delete;
    TabSheet& operator=(const TabSheet&) = delete;

    HWND ContainerHandle() const override { return panel_; }
    Form& OwnerForm() override;
    const std::string& Caption() const { return caption_; }
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool visible);

private:
    friend class PageControl;
    PageControl& pages_;
    std::string caption_;
    HWND panel_ = nullptr;
    bool tabVisible_ = true;
};

// A tab control whose pages are TabSheets; only the active page is shown.
class PageControl : public Control {
public:
    PageControl(Container& parent, const Bounds& bounds);

    TabSheet* ActivePage() const { return active_; }
    void SetActivePage(TabSheet& page);
    // The captions of the tabs that are shown, in order.
    std::vector<std::string> VisibleTabCaptions() const;

    std::optional<LRESULT> OnNotify(NMHDR& header) override;
    // Its pages fill it again, once it has grown or its window's scale has changed.
    void Refit() override;

private:
    friend class TabSheet;
    void AddPage(TabSheet& page);
    void RebuildTabs();
    RECT PageArea() const;
    std::vector<TabSheet*> VisiblePages() const;

    std::vector<TabSheet*> pages_;
    TabSheet* active_ = nullptr;
};
