#include "support/ScriptedUi.h"

#include "state/SetupState.h"
#include "toolkit/Application.h"

ScriptedUi::ScriptedUi() : savedScript_(Application::Instance().Script()), savedFace_(::Setup.Face) {
    Application::Instance().SetScript(this);
    ::Setup.Face = this;
}

ScriptedUi::~ScriptedUi() {
    Application::Instance().SetScript(savedScript_);
    ::Setup.Face = savedFace_;
}

int ScriptedUi::AnswerBox(const std::string& text, const std::string& caption, UINT style) {
    boxes_.push_back({text, caption, style});
    if (onBox) onBox(boxes_.back());
    if (boxAnswers_.empty()) return IDOK;
    const int answer = boxAnswers_.front();
    boxAnswers_.pop_front();
    return answer;
}

std::optional<int> ScriptedUi::AnswerModal(Form& form) {
    modalShown_.push_back(&form);
    if (onModal)
        if (const std::optional<int> result = onModal(form)) return result;
    for (auto& [scripted, results] : modalAnswers_) {
        if (scripted == &form && !results.empty()) {
            const int result = results.front();
            results.pop_front();
            return result;
        }
    }
    return modalDefault;
}

// The run's boxes go through the application, as the screen's face sends them.
int ScriptedUi::Ask(const std::string& text, const char* caption, UINT style) {
    return Application::Instance().ShowMessageBox(text, caption, style);
}

void ScriptedUi::EndPause() {
    pauses_.push_back(pauseLength_);
    if (onPause) onPause(pauseLength_);
}

void ScriptedUi::AnswerBoxes(std::initializer_list<int> answers) {
    boxAnswers_.insert(boxAnswers_.end(), answers.begin(), answers.end());
}

void ScriptedUi::AnswerModal(Form& form, std::initializer_list<int> results) {
    modalAnswers_.push_back({&form, std::deque<int>(results)});
}
