#include "toolkit/Memo.h"

#include "base/TextEncoding.h"

std::string JoinLinesForDisplay(const std::string& content) {
    std::string text;
    text.reserve(content.size() + content.size() / 16);
    for (size_t i = 0; i < content.size(); ++i) {
        const char c = content[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < content.size() && content[i + 1] == '\n') ++i;
            if (i + 1 < content.size()) text += "\r\n";
        } else {
            text += c;
        }
    }
    return text;
}

Memo::Memo(Container& parent, const Bounds& bounds, const char* text, const FontSpec* font)
    : Control(parent, "EDIT", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP,
              WS_EX_CLIENTEDGE, bounds, text, font) {
    // A multi-line box holds only about 30000 characters unless told otherwise.
    SendMessageA(Handle(), EM_SETLIMITTEXT, 0, 0);
}

void Memo::LoadText(const std::string& content) {
    // The licence is in the author's encoding, the box takes the program's.
    SetCaption(JoinLinesForDisplay(FromUtf16(DecodeAuthorText(content))));
}

std::string Memo::Text() const { return WindowText(); }

std::optional<LRESULT> Memo::OnControlColor(HDC dc) {
    const FontSpec* font = Font();
    SetTextColor(dc, font ? font->color : RGB(0, 0, 0));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}
