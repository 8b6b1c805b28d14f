#include "app/DowngradeCheck.h"

#include <windows.h>

#include "base/FormatText.h"
#include "base/Texts.h"
#include "base/VersionOrder.h"
#include "fsutil/EarlierInstall.h"
#include "setupdata/ScriptNames.h"
#include "state/RunFace.h"
#include "state/SetupState.h"

namespace {

// `id` naming the package, the installed version and this one; empty when this is no downgrade.
std::string DowngradeText(TextId id) {
    const std::string offered = Setup.InstallScript->ReadValue(PackageSection, PackageVersionKey, "");
    const std::string installed = FindEarlierInstall().version;
    if (!IsDowngrade(installed, offered)) return {};
    return FormatText(id, Setup.PackageName.c_str(), installed.c_str(), offered.c_str());
}

}  // namespace

Status RefuseDowngrade() {
    const std::string refusal = DowngradeText(TextId::DowngradeRefused);
    return refusal.empty() ? Status() : Status::Failed(refusal, ExitNewerInstalled);
}

bool DowngradeAccepted() {
    const std::string question = DowngradeText(TextId::DowngradeQuestion);
    return question.empty() ||
           Face().Ask(question, Text(TextId::InstallCaption), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}
