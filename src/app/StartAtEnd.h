#pragma once
#include <string>

// Starting the package's program as a windowed install ends ([Package] run=, runargs=), in the
// install folder, as the person who started setup: never with the rights setup was elevated with.

// The switch the unelevated run passes to the elevated one it starts, with its process number: the
// elevated run hands the program back to it instead of starting it.
inline constexpr const char* HandBackSwitch = "/handback=";

// Where an elevated run started by this one hands back the program to start: a section of memory
// of this process's own, named after it, which the elevated run only writes and never reads, so
// nothing an unelevated program puts there can make the elevated run do anything.
class HandBack {
public:
    HandBack();
    ~HandBack();
    HandBack(const HandBack&) = delete;
    HandBack& operator=(const HandBack&) = delete;

    // What to put before the elevated run's argument text; empty when no section could be made.
    std::string Switch() const;
    // Starts what the elevated run handed back, if anything.
    void StartHandedBack() const;

private:
    void* section_ = nullptr;
    char* view_ = nullptr;
};

// Takes the hand-back switch off the argument text, where it stands first, and keeps its process
// number for StartInstalledProgram.
void TakeHandBackSwitch(std::string& arguments);

// The installed program, started as the person who started setup: handed back to the unelevated
// run that started this one, if one did; by this run itself when it is not elevated; otherwise
// through the desktop's shell, which runs as the person logged on.
void StartInstalledProgram();
