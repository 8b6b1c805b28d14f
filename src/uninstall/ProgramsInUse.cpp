#include "uninstall/ProgramsInUse.h"

#include <windows.h>

#include "base/FormatText.h"
#include "base/Texts.h"
#include "fsutil/RestartManager.h"
#include "state/RunFace.h"

HolderChoice HoldersChoice = HolderChoice::Ask;

namespace {

// `text`, then `names` one a line.
std::string Listed(TextId text, const std::vector<std::string>& names) {
    std::string listed = Text(text);
    for (const std::string& name : names) listed.append("\n").append(name);
    return listed;
}

}  // namespace

void CloseProgramsHolding(const std::vector<std::string>& files) {
    RestartManager& manager = RestartManager::Current();
    std::vector<std::string> programs, services;
    if (files.empty() || !manager.Register(files)) return;
    manager.List(programs, services);
    // Services alone: named, and left to the restart, as nothing here stops them.
    if (programs.empty() && !services.empty()) return Face().Note(Listed(TextId::ServicesInUse, services));
    std::string text = Listed(TextId::ProgramsInUse, programs);
    if (!services.empty()) text.append("\n\n").append(Listed(TextId::ServicesInUse, services));
    // The windows ask, and ask again while some would not close; a run without them closes once,
    // or, told not to, never; what stays is written to its log.
    for (TextId question = TextId::CloseProgramsQuestion; !programs.empty(); question = TextId::TryClosingAgain) {
        const bool close = HoldersChoice == HolderChoice::Ask
                               ? Face().Ask(FormatText("%s\n\n%s", text.c_str(), Text(question)), Text(TextId::ProgramsInUseCaption),
                                            MB_YESNO | MB_ICONQUESTION) == IDYES
                               : HoldersChoice == HolderChoice::Close && question == TextId::CloseProgramsQuestion;
        if (!close) {
            Face().Note(text);
            return;
        }
        manager.Close();
        programs.clear();
        services.clear();
        manager.List(programs, services);
        text = Listed(TextId::ProgramsNotClosed, programs);
    }
}
