#include "uninstall/ProgramsInUse.h"

#include <windows.h>

#include "base/Texts.h"
#include "fsutil/RestartManager.h"
#include "state/RunFace.h"

HolderChoice HoldersChoice = HolderChoice::Ask;

namespace {

// `text`, then `names` one a line.
std::string Listed(TextId text, const std::vector<std::string>& names) {
    std::string listed = Text(text);
    for (const std::string& name : names) listed += "\n" + name;
    return listed;
}

// The close request is answered once the window has ended; the programs still listed did not close.
bool AskedToClose(std::vector<std::string>& programs, std::vector<std::string>& services) {
    RestartManager& manager = RestartManager::Current();
    manager.Close();
    programs.clear();
    services.clear();
    manager.List(programs, services);
    return programs.empty();
}

}  // namespace

void CloseProgramsHolding(const std::vector<std::string>& files) {
    RestartManager& manager = RestartManager::Current();
    std::vector<std::string> programs, services;
    if (files.empty() || !manager.Register(files)) return;
    manager.List(programs, services);
    std::string text = Listed(TextId::ProgramsInUse, programs);
    if (!services.empty()) text += "\n\n" + Listed(TextId::ServicesInUse, services);
    const char* caption = Text(TextId::ProgramsInUseCaption);
    if (programs.empty() || HoldersChoice == HolderChoice::Keep) {
        if (!programs.empty() || !services.empty()) Face().Note(text);
        return;
    }
    if (HoldersChoice == HolderChoice::Ask &&
        Face().Ask(text + "\n\n" + Text(TextId::CloseProgramsQuestion), caption, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    while (!AskedToClose(programs, services)) {
        text = Listed(TextId::ProgramsNotClosed, programs);
        if (HoldersChoice != HolderChoice::Ask) {
            Face().Note(text);
            return;
        }
        if (Face().Ask(text + "\n\n" + Text(TextId::TryClosingAgain), caption, MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
            return;
    }
}
