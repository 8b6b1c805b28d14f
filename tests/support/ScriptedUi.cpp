#include "support/ScriptedUi.h"

#include "toolkit/Application.h"

ScriptedUi::ScriptedUi() {
    Application& application = Application::Instance();
    application.messageBoxScript = [this](const std::string& text, const std::string& caption, UINT style) {
        boxes_.push_back({text, caption, style});
        if (onBox) onBox(boxes_.back());
        if (boxAnswers_.empty()) return IDOK;
        const int answer = boxAnswers_.front();
        boxAnswers_.pop_front();
        return answer;
    };
    application.modalScript = [this](Form& form) -> std::optional<int> {
        modalShown_.push_back(&form);
        for (auto& [scripted, results] : modalAnswers_) {
            if (scripted == &form && !results.empty()) {
                const int result = results.front();
                results.pop_front();
                return result;
            }
        }
        return modalDefault;
    };
    application.pauseScript = [this](DWORD milliseconds) { pauses_.push_back(milliseconds); };
}

ScriptedUi::~ScriptedUi() {
    Application& application = Application::Instance();
    application.messageBoxScript = nullptr;
    application.modalScript = nullptr;
    application.pauseScript = nullptr;
}

void ScriptedUi::AnswerBoxes(std::initializer_list<int> answers) {
    boxAnswers_.insert(boxAnswers_.end(), answers.begin(), answers.end());
}

void ScriptedUi::AnswerModal(Form& form, std::initializer_list<int> results) {
    modalAnswers_.push_back({&form, std::deque<int>(results)});
}
