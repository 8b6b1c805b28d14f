#pragma once
#include <windows.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "state/RunFace.h"
#include "toolkit/UiScript.h"

class Form;

struct AskedBox {
    std::string text;
    std::string caption;
    UINT style;
};

// Answers the application's message boxes and modal showings by script while it lives, and
// records what was asked; it is the run's face too, so the run's boxes reach it through the
// application and its pauses are recorded instead of slept. Unscripted boxes answer IDOK;
// unscripted modal showings run for real unless `modalDefault` is set. A test that wants the
// pauses for real sets `Setup.Face` to null: the boxes stay scripted.
class ScriptedUi final : public UiScript, public RunFace {
public:
    ScriptedUi();
    ~ScriptedUi();
    ScriptedUi(const ScriptedUi&) = delete;
    ScriptedUi& operator=(const ScriptedUi&) = delete;

    // The next message boxes answer these buttons, in order.
    void AnswerBoxes(std::initializer_list<int> answers);
    // Called with each box as it comes up, before it is answered (for reading state mid-run).
    std::function<void(const AskedBox&)> onBox;
    // The next modal showings of `form` end with these results, in order, without showing.
    void AnswerModal(Form& form, std::initializer_list<int> results);
    // Every other modal showing ends with this result without showing, when set.
    std::optional<int> modalDefault;
    // Called for every modal showing first; what it returns, when anything, ends the showing.
    std::function<std::optional<int>(Form&)> onModal;
    // Called at the end of each pause with its length (for reading state at that moment).
    std::function<void(DWORD)> onPause;

    const std::vector<AskedBox>& Boxes() const { return boxes_; }
    const std::vector<Form*>& ModalShown() const { return modalShown_; }
    const std::vector<DWORD>& Pauses() const { return pauses_; }

    int AnswerBox(const std::string& text, const std::string& caption, UINT style) override;
    std::optional<int> AnswerModal(Form& form) override;
    int Ask(const std::string& text, const char* caption, UINT style) override;
    void BeginPause(DWORD milliseconds) override { pauseLength_ = milliseconds; }
    void EndPause() override;
    void Beep() override {}
    // What the run noted for its log alone, in order.
    void Note(const std::string& text) override { notes.push_back(text); }
    std::vector<std::string> notes;

private:
    std::deque<int> boxAnswers_;
    std::vector<std::pair<Form*, std::deque<int>>> modalAnswers_;
    std::vector<AskedBox> boxes_;
    std::vector<Form*> modalShown_;
    std::vector<DWORD> pauses_;
    DWORD pauseLength_ = 0;
    UiScript* savedScript_;
    RunFace* savedFace_;
};
