#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "support/ShippedLanguages.h"
#include "support/WideText.h"

// The title bars, menus and message boxes the platform draws around setup.exe's own windows use
// its faces, not the program's: in each of them every letter of every shipped language is drawn
// as itself, not as the box a face draws for a character it lacks.

namespace {

constexpr int Side = 48;
// Unassigned in Unicode: every face draws its missing glyph for it.
constexpr wchar_t Unassigned = L'\u0378';

// One character as DrawTextW draws it with `font` (font linking and shaping included), as pixels.
std::vector<DWORD> Drawn(HFONT font, wchar_t character) {
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), Side, -Side, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldFont = SelectObject(dc, font);
    RECT area{0, 0, Side, Side};
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawTextW(dc, &character, 1, &area, DT_NOPREFIX | DT_SINGLELINE);
    GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    std::vector<DWORD> drawn(pixels, pixels + Side * Side);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return drawn;
}

std::string FaceName(const LOGFONTW& font) { return NarrowText(font.lfFaceName) + (font.lfWeight >= FW_BOLD ? " bold" : ""); }

// The letters of the language's captions and messages that `font` draws as its missing glyph.
std::wstring LettersMissing(HFONT font, const std::string& tag) {
    const std::vector<DWORD> missing = Drawn(font, Unassigned);
    std::wstring absent;
    for (const char* name : {"SetupAbortCaption", "InstallProgressCaption", "AreYouSure", "AnotherSetup", "FolderDoesNotExist"}) {
        for (const wchar_t character : WideText(CatalogText(tag, name))) {
            WORD type = 0;
            GetStringTypeW(CT_CTYPE1, &character, 1, &type);
            if ((type & C1_ALPHA) && character >= 0x80 && Drawn(font, character) == missing &&
                absent.find(character) == std::wstring::npos)
                absent += character;
        }
    }
    return absent;
}

struct BoxFont {
    std::string what;
    LOGFONTW font;
};

// The platform's fonts for title bars, menus, status bars and message texts.
std::vector<BoxFont> NonClientFonts() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return {{"caption", metrics.lfCaptionFont}, {"small caption", metrics.lfSmCaptionFont},
            {"menu", metrics.lfMenuFont},       {"status", metrics.lfStatusFont},
            {"message", metrics.lfMessageFont}};
}

DWORD WINAPI ShowBox(void* caption) {
    MessageBoxW(nullptr, L"\u65e5\u672c\u8a9e \u0639\u0631\u0628\u064a \u05e2\u05d1\u05e8\u05d9\u05ea",
                static_cast<const wchar_t*>(caption), MB_OK);
    return 0;
}

BOOL CALLBACK FindText(HWND child, LPARAM found) {
    wchar_t className[16] = {};
    GetClassNameW(child, className, 16);
    if (std::wstring(className) != L"Static" || GetWindowTextLengthW(child) == 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

// The font of a message box's text, read from a box the platform shows.
LOGFONTW MessageBoxTextFont() {
    static wchar_t caption[] = L"PlatformFontsTest box";
    HANDLE thread = CreateThread(nullptr, 0, ShowBox, caption, 0, nullptr);
    HWND box = nullptr;
    for (int i = 0; i < 200 && !box; ++i) {
        Sleep(25);
        box = FindWindowW(L"#32770", caption);
    }
    LOGFONTW font{};
    HWND text = nullptr;
    if (box) EnumChildWindows(box, FindText, reinterpret_cast<LPARAM>(&text));
    if (text) GetObjectW(reinterpret_cast<HFONT>(SendMessageW(text, WM_GETFONT, 0, 0)), sizeof font, &font);
    if (box) PostMessageW(box, WM_COMMAND, IDOK, 0);
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    return font;
}

}  // namespace

TEST(PlatformFonts, TitleBarsMenusAndMessageBoxesDrawEveryLanguagesLetters) {
    std::vector<BoxFont> fonts = NonClientFonts();
    fonts.push_back({"message box text", MessageBoxTextFont()});
    ASSERT_NE(fonts.back().font.lfFaceName[0], L'\0') << "no message box text found";
    for (const BoxFont& box : fonts) {
        HFONT font = CreateFontIndirectW(&box.font);
        ASSERT_NE(font, nullptr) << box.what;
        // The reference is a drawing at all: a face drawing nothing for what it lacks would match
        // every letter it lacks too.
        EXPECT_NE(Drawn(font, Unassigned), Drawn(font, L' ')) << box.what;
        for (const std::string& tag : ShippedLanguageTags()) {
            const std::wstring missing = LettersMissing(font, tag);
            EXPECT_TRUE(missing.empty()) << box.what << " font (" << FaceName(box.font) << ") draws boxes for "
                                         << tag << ": " << NarrowText(missing);
        }
        DeleteObject(font);
    }
}
