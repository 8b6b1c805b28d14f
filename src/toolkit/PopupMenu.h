#pragma once
#include "toolkit/Handler.h"
#include <windows.h>

#include <string>
#include <vector>

// A context menu of items, each with its click handler. It owns its menu handle.
class PopupMenu {
public:
    PopupMenu();
    ~PopupMenu();
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;

    // Adds an item; returns its index.
    size_t AddItem(const std::string& caption, Handler onClick);
    const std::string& ItemCaption(size_t index) const { return items_.at(index).caption; }
    size_t ItemCount() const { return items_.size(); }

    // Shows the menu at the screen point for `owner` and runs the chosen item's handler.
    void Popup(HWND owner, POINT screenPoint);
    // Runs the item's handler as choosing it does.
    void ClickItem(size_t index);

private:
    struct Item {
        std::string caption;
        Handler onClick;
    };
    HMENU menu_;
    std::vector<Item> items_;
};
