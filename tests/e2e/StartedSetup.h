#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "e2e/SetupMedia.h"
#include "e2e/UiDriver.h"

// setup.exe started on the media of a small package without a licence, up to its main window.
// When it goes it ends the run as the user would, by closing the main window.
class StartedSetup {
public:
    StartedSetup();
    ~StartedSetup();
    StartedSetup(const StartedSetup&) = delete;
    StartedSetup& operator=(const StartedSetup&) = delete;

    // Null when the main window did not come.
    HWND Main() const { return main_; }
    const ProgramUnderTest& Program() const { return *program_; }

private:
    SetupMedia media_;
    std::unique_ptr<ProgramUnderTest> program_;
    HWND main_ = nullptr;
};
