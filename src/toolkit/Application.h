#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "base/OwnedHandle.h"
#include "base/Status.h"
#include "toolkit/UiScript.h"

class Form;

// The resource number of the program's icon, which the title bars and the task bar show
// (src/app/setup.rc); a number takes less room in the file than a name.
inline constexpr WORD ProgramIconId = 1;

// The application: its forms, the message loop, message boxes and the default error report.
// Tests answer message boxes and modal showings by script (UiScript).
class Application {
public:
    static Application& Instance();

    // Registers the controls' window classes; call once before making forms. Fails when the
    // platform refuses, as no window could be shown as it should.
    Status Initialize();
    HINSTANCE InstanceHandle() const;

    // Makes a form, hidden, kept by the application. The first form made so is the main form.
    template <class T>
    T* CreateForm() {
        T* form = new T;
        Adopt(form);
        return form;
    }
    Form* MainForm() const { return mainForm_; }
    void SetMainForm(Form* form) { mainForm_ = form; }

    // Shows the main form (which activates it) and dispatches messages until a quit request.
    void Run();
    // Destroys every form's window in the order they were made. The forms themselves stay to the
    // end of the process, which follows: destroying them would release nothing it does not, and
    // their destructors would be code in the program for that alone.
    void DestroyForms();

    // A modal message box over the application's windows; returns the button pressed.
    int ShowMessageBox(const std::string& text, const char* caption, UINT style);
    // The default error report: the message and a full stop, captioned with the title, style 16.
    void ReportError(const std::string& message);
    // The executable's base name, every letter after the first in lower case.
    std::string Title() const;
    // Pauses for that long; the windows keep answering meanwhile.
    void Pause(DWORD milliseconds) {
        BeginPause(milliseconds);
        EndPause();
    }
    // A pause in two halves: it starts at BeginPause, and EndPause waits for what is left of it,
    // so the work done in between runs inside the pause rather than after it.
    void BeginPause(DWORD milliseconds);
    void EndPause();

    // Dispatches one message as the message loops do, the active form's dialog keys (Tab, Enter) first.
    void Dispatch(MSG& message);
    // Lets the windows answer what waits for them (repaints, moves, other programs' questions)
    // while a task runs on their thread. A quit request is left for the message loop: false then.
    bool ProcessMessages();
    // The same, when the windows last answered longer ago than a person notices: a task that
    // calls it often stays responsive without painting for every step.
    void KeepAnswering() {
        if (AnswerDue()) ProcessMessages();
    }
    // Whether the windows last answered longer ago than `answerInterval`.
    bool AnswerDue() const { return GetTickCount64() - lastAnswered_ >= answerInterval; }

    // Windows and message boxes laid out right to left, mirrored as the platform mirrors them, for a
    // language written so; set before the first form is made.
    void SetRightToLeft(bool rightToLeft) { rightToLeft_ = rightToLeft; }
    bool RightToLeft() const { return rightToLeft_; }
    // The character set the forms' fonts ask for: the font mapper then takes a face that has the
    // language's script, where the layout's face has none. Set before the first form is made.
    void SetCharacterSet(BYTE characterSet) { characterSet_ = characterSet; }
    BYTE CharacterSet() const { return characterSet_; }

    // What answers message boxes and modal showings instead of a person; none when null.
    void SetScript(UiScript* script) { script_ = script; }
    UiScript* Script() const { return script_; }
    // 20 ms: shorter than a person notices. At 0 every step is painted.
    ULONGLONG answerInterval = 20;

private:
    void Adopt(Form* form);

    bool rightToLeft_ = false;
    BYTE characterSet_ = DEFAULT_CHARSET;

    UiScript* script_ = nullptr;
    std::vector<Form*> forms_;
    Form* mainForm_ = nullptr;
    ULONGLONG lastAnswered_ = 0;
    KernelObject pauseTimer_;
    DWORD pauseLength_ = 0;
    bool pauseTimed_ = false;
};
