#include "fsutil/ProgramsInUse.h"

#include <windows.h>

#include "base/Texts.h"
#include "fsutil/RestartManager.h"
#include "state/RunFace.h"
#include "state/SetupState.h"

namespace {

std::string Listed(const char* heading, const std::vector<std::string>& names) {
    std::string text = heading;
    for (const std::string& name : names) text += "\n" + name;
    return text;
}

// Until they closed, or the person goes on without them; an unattended run's answer (OK) goes on.
void CloseUntilDone(RestartManager& manager, const std::vector<std::string>& programs) {
    const char* caption = Text(TextId::ProgramsInUseCaption);
    for (;;) {
        const std::vector<std::string> running = manager.Close();
        if (running.empty()) {
            Face().Note(Listed(Text(TextId::ProgramsClosed), programs));
            return;
        }
        if (Face().Ask(Listed(Text(TextId::ProgramsNotClosed), running) + Text(TextId::RetryClosingQuestion), caption,
                       MB_RETRYCANCEL | MB_ICONWARNING) != IDRETRY) {
            Setup.RestartScheduled = true;
            return;
        }
    }
}

}  // namespace

void CloseProgramsHolding(const std::vector<std::string>& paths) {
    std::vector<std::string> existing;
    for (const std::string& path : paths)
        if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) existing.push_back(path);
    RestartManager& manager = RestartManager::Current();
    std::vector<std::string> programs, services;
    for (const FileHolder& holder : manager.Holders(existing)) 
        (holder.service ? services : programs).push_back(holder.name);
    // The platform replaces what a service holds at the restart; the run waits for it.
    if (!services.empty()) {
        Face().Note(Listed(Text(TextId::ServicesHoldFiles), services));
        Setup.RestartScheduled = true;
    }
    if (programs.empty()) return;
    const std::string list = Listed(Text(TextId::ProgramsHoldFiles), programs);
    if (Setup.NoClose) {
        Face().Note(list);
        Setup.RestartScheduled = true;
        return;
    }
    if (Face().Ask(list + Text(TextId::CloseProgramsQuestion), Text(TextId::ProgramsInUseCaption),
                   MB_YESNO | MB_ICONQUESTION) == IDYES)
        CloseUntilDone(manager, programs);
    else
        Setup.RestartScheduled = true;
}

void RestartClosedPrograms() { RestartManager::Current().Restart(); }
