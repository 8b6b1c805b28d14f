#pragma once
#include <string>

// Starting the package's program as a windowed install ends ([Package] run=, runargs=), in the
// install folder, as the person who started setup: never with the rights setup was elevated with.

// Where an elevated run started by this one hands back the program to start: a section of memory
// this run makes while it waits, which the elevated run only writes and never reads, so nothing an
// unelevated program puts there can make the elevated run do anything.
class HandBack {
public:
    HandBack();
    ~HandBack();
    HandBack(const HandBack&) = delete;
    HandBack& operator=(const HandBack&) = delete;

    // Starts what the elevated run handed back, if anything.
    void StartHandedBack() const;

private:
    void* section_ = nullptr;
    char* view_ = nullptr;
};

// The installed program, started as the person who started setup: by this run itself when it is
// not elevated; else handed back to the unelevated run that started this one, when one waits;
// otherwise through the desktop's shell, which runs as the person logged on.
void StartInstalledProgram();
