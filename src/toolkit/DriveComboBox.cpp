#include "toolkit/DriveComboBox.h"

#include "base/AsciiCase.h"
#include "toolkit/Dispatch.h"

char LowerDriveLetter(char letter) { return AsciiLower(letter); }

std::string DriveEntryText(char letter) { return std::string{LowerDriveLetter(letter), ':'}; }

DriveComboBox::DriveComboBox(Container& parent, const Bounds& bounds, const FontSpec* font,
                             Handler onChange)
    // The height given to a drop-down list is that of its list when open.
    : Control(parent, "COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0,
              {bounds.left, bounds.top, bounds.width, bounds.height * 10}, "", font),
      onChange_(std::move(onChange)) {
    KeepLeftToRight();
    ReadDrives();
}

void DriveComboBox::ReadDrives() {
    drives_.clear();
    SendMessageA(Handle(), CB_RESETCONTENT, 0, 0);
    const DWORD mask = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(mask & (1u << i))) continue;
        const char letter = static_cast<char>('a' + i);
        drives_ += letter;
        SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(DriveEntryText(letter).c_str()));
    }
}

int DriveComboBox::IndexOf(char letter) const {
    for (size_t i = 0; i < drives_.size(); ++i)
        if (drives_[i] == LowerDriveLetter(letter)) return static_cast<int>(i);
    return -1;
}

char DriveComboBox::Drive() const {
    const LRESULT index = SendMessageA(Handle(), CB_GETCURSEL, 0, 0);
    if (index < 0 || static_cast<size_t>(index) >= drives_.size()) return 0;
    return drives_[static_cast<size_t>(index)];
}

void DriveComboBox::SetDrive(char letter) {
    if (IndexOf(letter) < 0) ReadDrives();
    SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(IndexOf(letter)), 0);
}

void DriveComboBox::ChooseDrive(char letter) {
    SetDrive(letter);
    if (onChange_) ReportHandlerFailure(onChange_());
}

void DriveComboBox::OnCommand(WORD code) {
    if (code == CBN_SELCHANGE && onChange_) ReportHandlerFailure(onChange_());
}
