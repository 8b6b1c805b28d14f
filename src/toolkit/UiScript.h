#pragma once
#include <windows.h>

#include <optional>
#include <string>

class Form;

// What answers the application's message boxes and modal showings in place of a person: the
// tests' seam into the windows (Application::SetScript). The program itself sets none.
class UiScript {
public:
    // The button a person would press.
    virtual int AnswerBox(const std::string& text, const std::string& caption, UINT style) = 0;
    // The result a showing of `form` ends with, without showing it; nothing to show it for real.
    virtual std::optional<int> AnswerModal(Form& form) = 0;

protected:
    ~UiScript() = default;
};
