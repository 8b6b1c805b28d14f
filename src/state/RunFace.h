#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "base/Status.h"

// How a run meets the person who started it. On the screen: message boxes, the pauses that
// pace the install and the platform's sounds. The unattended run writes the same messages to
// its log, answers as a person installing would, and neither waits nor sounds. One engine,
// two faces.
class RunFace {
public:
    // A message box of the run; the button chosen (IDYES, IDNO, IDOK, IDCANCEL).
    virtual int Ask(const std::string& text, const char* caption, UINT style) = 0;
    // Paces the install for a person watching it: the pause starts at BeginPause and EndPause
    // waits for what is left of it, so the engine's work in between does not lengthen it.
    virtual void BeginPause(DWORD milliseconds) = 0;
    virtual void EndPause() = 0;
    // The platform's exclamation sound, at a change of disks and at the end of the install.
    virtual void Beep() = 0;
    // What only the unattended log keeps (what an uninstall left behind); the screen shows none of it.
    virtual void Note(const std::string&) {}
    // Whether a person is there to answer: the unattended run answers for them.
    bool attended = true;

protected:
    ~RunFace() = default;
};

// The face of this run: `Setup.Face` when one is set, the screen otherwise.
RunFace& Face();

// Tells the person a failure that ends the run or a step of it, through the face of the run: a
// fatal one as it stands, captioned "Fatal Error"; any other as the default error report shows
// an error (the message and a full stop, captioned with the program's title). Style 16 both.
void ReportFailure(const Status& failure);

// `text`, then `entries` one a line, at most ten of them and how many more, in one message of the
// run's face; nothing when there are no entries.
void ReportEntries(const std::string& text, const std::vector<std::string>& entries, const char* caption, UINT icon);
