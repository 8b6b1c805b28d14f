#pragma once
#include <string>
#include <vector>

#include "toolkit/Control.h"
#include "toolkit/Handler.h"

class PopupMenu;

// A list of the open folder with its ancestors above it and its subfolders below, each level
// indented. Opening an entry (double-click or Enter) or a drive makes that folder the open
// one and the process's current directory, then runs the change handler.
class DirectoryListBox : public Control {
public:
    DirectoryListBox(Container& parent, const Bounds& bounds, int itemHeight, Handler onChange);
    ~DirectoryListBox();

    // The full path of the open folder.
    const std::string& Directory() const { return directory_; }
    // Opens `path`, then runs the change handler, whose failure it passes on. A folder that
    // cannot be entered fails with "Cannot open folder <path>" and leaves the open folder and the
    // current directory as they were.
    Status Open(const std::string& path);
    // Opens drive `letter` at that drive's own current directory (normally its root).
    Status OpenDrive(char letter);
    // Opens the folder of entry `index`, as a double-click on it does.
    Status OpenEntry(size_t index);
    // Reads the open folder's subfolders again.
    void Refresh();

    // The entries' names in list order: the ancestors from the root, the open folder, its subfolders.
    std::vector<std::string> EntryNames() const;
    // The index of the open folder's own entry.
    size_t OpenEntryIndex() const { return ancestors_.size() - 1; }
    void SetPopupMenu(PopupMenu* menu) { popupMenu_ = menu; }

    void OnCommand(WORD code) override;

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    std::string EntryPath(size_t index) const;
    // The selected entry opened as a double-click or Enter opens it, at the dispatch point.
    void OpenSelectedEntry();
    void Fill();
    void ShowPopupMenu(LPARAM position);

    std::string directory_;
    std::vector<std::string> ancestors_;   // "C:\" then each level's name, the open folder last
    std::vector<std::string> subfolders_;  // sorted without regard to case
    Handler onChange_;
    PopupMenu* popupMenu_ = nullptr;
    WNDPROC listProc_ = nullptr;
};

// The subfolder names of `folder`, sorted without regard to case ("." and ".." left out).
std::vector<std::string> SubfolderNames(const std::string& folder);
// "C:\" then each level's name of the absolute path `path`.
std::vector<std::string> PathLevels(const std::string& path);
