#pragma once
#include <windows.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class Form;

struct AskedBox {
    std::string text;
    std::string caption;
    UINT style;
};

// Answers the application's message boxes and modal showings by script while it lives, and
// records what was asked. Unscripted boxes answer IDOK; unscripted modal showings run for real
// unless `modalDefault` is set. Pauses are recorded instead of slept.
class ScriptedUi {
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

    const std::vector<AskedBox>& Boxes() const { return boxes_; }
    const std::vector<Form*>& ModalShown() const { return modalShown_; }
    const std::vector<DWORD>& Pauses() const { return pauses_; }

private:
    std::deque<int> boxAnswers_;
    std::vector<std::pair<Form*, std::deque<int>>> modalAnswers_;
    std::vector<AskedBox> boxes_;
    std::vector<Form*> modalShown_;
    std::vector<DWORD> pauses_;
};
