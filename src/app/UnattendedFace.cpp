#include "app/UnattendedFace.h"

#include "app/UnattendedLogFile.h"
#include "base/FormatText.h"
#include "state/SetupState.h"

namespace {

// A message box's text on one line.
std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

}  // namespace

UnattendedFace::UnattendedFace(bool keepLog) {
    attended = false;
    if (!keepLog && Setup.LogFilePath.empty()) return;
    for (const std::string& passedOver : OpenUnattendedLog(log_)) Write(passedOver);
}

int UnattendedFace::Ask(const std::string& text, const char* caption, UINT style) {
    int answer = IDOK;
    const char* told = "";
    switch (style & MB_TYPEMASK) {
        case MB_YESNO:
            answer = IDYES;
            told = " - Yes";
            break;
        case MB_OKCANCEL:
            // Only the disk prompt asks this; no one is there to insert the disk.
            answer = IDCANCEL;
            told = " - Cancel";
            break;
    }
    if ((style & MB_ICONMASK) == MB_ICONERROR || answer == IDCANCEL) failed_ = true;
    Write(FormatText("%s: %s%s", caption, text.c_str(), told));
    return answer;
}

void UnattendedFace::Write(const std::string& text) {
    if (!log_.IsValid()) return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    // Stamped with the local time.
    const std::string line = FormatText("%04u-%02u-%02u %02u:%02u:%02u %s\r\n", now.wYear, now.wMonth, now.wDay, now.wHour,
                                        now.wMinute, now.wSecond, OneLine(text).c_str());
    DWORD written = 0;
    WriteFile(log_.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}
