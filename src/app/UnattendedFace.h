#pragma once
#include <string>

#include "base/OwnedHandle.h"
#include "state/ProgressView.h"
#include "state/RunFace.h"

// The face of an unattended run. Nothing is shown: what the windows would show (the phases,
// the end state) and every message box go to setup.log (UnattendedLogFile.h), one line each
// with a time stamp, appended run after run. A question gets the answer a person installing gives (yes), a disk
// that is not there is not waited for, and nothing pauses or sounds.
// ProgressView first: the most of its functions sit in one table of virtual functions, without
// adjusting thunks.
class UnattendedFace final : public ProgressView, public RunFace {
public:
    // `keepLog` false: the run's lines go only to a "/LOG=" file (a plan leaves nothing in Temp).
    explicit UnattendedFace(bool keepLog = true);

    int Ask(const std::string& text, const char* caption, UINT style) override;
    void BeginPause(DWORD) override {}
    void EndPause() override {}
    void Beep() override {}
    void Note(const std::string& text) override { Write(text); }

    void ShowCaption(const std::string&) override {}
    void ShowPhase(const std::string& text) override { Write(text); }
    void ShowCurrentItem(const std::string&) override {}
    void SetBarStep(ProgressBarRole, int) override {}
    void StepBar(ProgressBarRole) override {}
    void SetBarPosition(ProgressBarRole, int) override {}
    void ShowEnded() override {}

    // One line of the log, with the time stamp in front (line breaks in `text` become blanks).
    void Write(const std::string& text);
    // True once an error was shown or a disk was not there: the run failed.
    bool Failed() const { return failed_; }

private:
    FileHandle log_;
    bool failed_ = false;
};
