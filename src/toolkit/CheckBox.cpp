#include "toolkit/CheckBox.h"

#include <algorithm>
#include <string>

#include "base/TextEncoding.h"

namespace {

// What the box and the gap after it take beside the caption, as a design length.
constexpr int BoxWidth = 18;
// What it keeps above and below its caption's lines, as a design length.
constexpr int LinesMargin = 4;

}  // namespace

CheckBox::CheckBox(Container& parent, const Bounds& bounds, const char* caption)
    : Control(parent, "BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, bounds, caption) {
    GrowToCaption();
}

void CheckBox::SetCaption(const std::string& caption) {
    Control::SetCaption(caption);
    GrowToCaption();
}

// As wide as its caption on one line, up to the widest its window can be. A longer caption takes
// more lines (BS_MULTILINE), and what lies below moves down.
void CheckBox::GrowToCaption() {
    const SIZE line = CaptionSize(0);
    GrowTo(std::min<int>(line.cx + BoxWidth, WidestWidth(false)), false);
    const int width = GetBounds().width - BoxWidth;
    if (line.cx <= width) return;
    SetWindowLongPtrW(Handle(), GWL_STYLE, GetWindowLongPtrW(Handle(), GWL_STYLE) | BS_MULTILINE);
    ShowWordsBroken(width);
    GrowTaller(CaptionSize(DT_EDITCONTROL, width).cy + LinesMargin, true);
}

// The box breaks its lines between words only, so a word longer than a line is broken where the
// line ends, as a label breaks it (DT_EDITCONTROL), before the box shows the caption.
void CheckBox::ShowWordsBroken(int width) {
    std::string text = ToUtf16(Caption());
    for (int start = 0; start < WideLength(text);) {
        const wchar_t* characters = WideChars(text);
        int end = start;
        while (end < WideLength(text) && characters[end] != L' ') ++end;
        const int fit = FittingCharacters(characters + start, end - start, width);
        if (fit > 0 && start + fit < end) {
            text.insert(static_cast<size_t>(start + fit) * sizeof(wchar_t), "\n", sizeof(wchar_t));
            start += fit + 1;
        } else {
            start = end + 1;
        }
    }
    // What SetWindowTextA sends to a window of this process.
    SendMessageA(Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(FromUtf16(text).c_str()));
}

bool CheckBox::Checked() const { return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CheckBox::SetChecked(bool checked) {
    SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}
