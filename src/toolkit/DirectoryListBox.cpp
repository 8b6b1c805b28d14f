#include "toolkit/DirectoryListBox.h"

#include <windowsx.h>

#include <algorithm>

#include "base/CurrentDirectoryGuard.h"
#include "base/FormatText.h"
#include "base/OwnedHandle.h"
#include "base/PathQuery.h"
#include "toolkit/Dispatch.h"
#include "toolkit/Form.h"
#include "toolkit/PopupMenu.h"

namespace {

constexpr int IndentPerLevel = 2;

// Keeps the names sorted without regard to case as they arrive; a folder holds few enough.
void InsertSorted(std::vector<std::string>& names, const std::string& name) {
    auto place = names.begin();
    while (place != names.end() && _stricmp(place->c_str(), name.c_str()) <= 0) ++place;
    names.insert(place, name);
}

}  // namespace

std::vector<std::string> SubfolderNames(const std::string& folder) {
    std::vector<std::string> names;
    std::string pattern = folder;
    if (pattern.empty() || pattern.back() != '\\') pattern += '\\';
    pattern += '*';
    WIN32_FIND_DATAA data;
    const FindHandle find(FindFirstFileA(pattern.c_str(), &data));
    if (!find.IsValid()) return names;
    do {
        const std::string name = data.cFileName;
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..") InsertSorted(names, name);
    } while (FindNextFileA(find.Get(), &data));
    return names;
}

std::vector<std::string> PathLevels(const std::string& path) {
    std::vector<std::string> levels;
    const size_t rootEnd = path.find('\\');
    levels.push_back(rootEnd == std::string::npos ? path + "\\" : path.substr(0, rootEnd + 1));
    size_t start = levels.front().size();
    while (start < path.size()) {
        const size_t end = std::min(path.find('\\', start), path.size());
        if (end > start) levels.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return levels;
}

DirectoryListBox::DirectoryListBox(Container& parent, const Bounds& bounds, int itemHeight,
                                   Handler onChange)
    : Control(parent, "LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE,
              bounds, ""),
      onChange_(std::move(onChange)) {
    SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, OwnerForm().Scale().ToPixels(itemHeight));
    KeepLeftToRight();
    SetWindowLongPtrW(Handle(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    // Subclassed through the wide call, as the edit box is made: the list's own procedure is then
    // its Unicode one, to which the system hands the texts sent to it translated.
    listProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DirectoryListBox::SubclassProc)));
}

// The window may outlive this object (the form destroys it later): it gets its own procedure back.
DirectoryListBox::~DirectoryListBox() {
    if (!IsWindow(Handle())) return;
    SetWindowLongPtrW(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listProc_));
    SetWindowLongPtrW(Handle(), GWLP_USERDATA, 0);
}

// The list takes Enter itself (the dialog keys would otherwise claim it) and shows its popup menu.
LRESULT CALLBACK DirectoryListBox::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* list = reinterpret_cast<DirectoryListBox*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_GETDLGCODE:
            if (lParam && reinterpret_cast<MSG*>(lParam)->wParam == VK_RETURN)
                return DLGC_WANTALLKEYS | CallWindowProcW(list->listProc_, window, message, wParam, lParam);
            break;
        case WM_KEYDOWN:
            if (wParam == VK_RETURN) {
                list->OpenSelectedEntry();
                return 0;
            }
            break;
        case WM_CONTEXTMENU:
            if (list->popupMenu_) {
                list->ShowPopupMenu(lParam);
                return 0;
            }
            break;
    }
    return CallWindowProcW(list->listProc_, window, message, wParam, lParam);
}

void DirectoryListBox::ShowPopupMenu(LPARAM position) {
    POINT point{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    if (point.x == -1 && point.y == -1) {  // from the keyboard: under the list's top left corner
        point = {0, 0};
        ClientToScreen(Handle(), &point);
    }
    popupMenu_->Popup(GetAncestor(Handle(), GA_ROOT), point);
}

Status DirectoryListBox::Open(const std::string& path) {
    if (!SetCurrentDirectoryA(path.c_str())) return Status::Failed(FormatText(TextId::CannotOpenFolder, path.c_str()));
    // The platform's spelling of the folder, "C:\" at a root, no trailing "\" elsewhere.
    directory_ = CurrentDirectory();
    Fill();
    return onChange_ ? onChange_() : Status();
}

Status DirectoryListBox::OpenDrive(char letter) {
    const char drive[3] = {letter, ':', '\0'};
    // The drive's current folder, however many bytes its name takes.
    const std::string full =
        QueryPath([&drive](char* buffer, DWORD size) { return GetFullPathNameA(drive, size, buffer, nullptr); });
    return Open(full.empty() ? FormatText("%s\\", drive) : full);
}

std::string DirectoryListBox::EntryPath(size_t index) const {
    if (index >= ancestors_.size())
        return FormatText(directory_.back() == '\\' ? "%s%s" : "%s\\%s", directory_.c_str(),
                          subfolders_.at(index - ancestors_.size()).c_str());
    std::string path = ancestors_.front();
    for (size_t level = 1; level <= index; ++level) path.append(level > 1 ? "\\" : "").append(ancestors_[level]);
    return path;
}

Status DirectoryListBox::OpenEntry(size_t index) { return Open(EntryPath(index)); }

void DirectoryListBox::OpenSelectedEntry() {
    const LRESULT index = SendMessageA(Handle(), LB_GETCURSEL, 0, 0);
    if (index >= 0) ReportHandlerFailure(OpenEntry(static_cast<size_t>(index)));
}

void DirectoryListBox::Refresh() { Fill(); }

void DirectoryListBox::Fill() {
    ancestors_ = PathLevels(directory_);
    subfolders_ = SubfolderNames(directory_);
    SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
    SendMessageA(Handle(), LB_RESETCONTENT, 0, 0);
    for (size_t i = 0; i < ancestors_.size(); ++i) {
        std::string text(i * IndentPerLevel, ' ');
        text += ancestors_[i];
        SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    const std::string indent(ancestors_.size() * IndentPerLevel, ' ');
    for (const std::string& name : subfolders_)
        SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>((indent + name).c_str()));
    SendMessageA(Handle(), LB_SETCURSEL, OpenEntryIndex(), 0);
    SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

std::vector<std::string> DirectoryListBox::EntryNames() const {
    std::vector<std::string> names = ancestors_;
    names.insert(names.end(), subfolders_.begin(), subfolders_.end());
    return names;
}

void DirectoryListBox::OnCommand(WORD code) {
    if (code == LBN_DBLCLK) OpenSelectedEntry();
}
