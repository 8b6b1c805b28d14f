#include "plan/PlanCommand.h"

#include <fstream>

#include "common/PathText.h"
#include "media/BuildError.h"
#include "plan/InstallPlan.h"
#include "plan/PackageContent.h"
#include "plan/PlanJson.h"
#include "plan/PlanText.h"
#include "plan/SpdxDocument.h"
#include "script/ScriptCheck.h"

namespace fs = std::filesystem;

namespace {

// The package, read and its script checked as a build checks it: a plan of a script that the
// install would stop on, or refuse, would describe what never happens.
PackageContent CheckedPackage(const fs::path& input, const ScriptEncoding& encoding,
                              const std::optional<fs::path>& setupExe, std::optional<PackageScope> scope,
                              std::ostream& notes) {
    PackageContent content = PackageContent::Read(input, encoding, setupExe, scope);
    const std::string label = TextOfPath(input);
    for (const Finding& finding : content.ScriptFindings()) notes << FormatFinding(label, finding) << "\n";
    if (HasErrors(content.ScriptFindings()))
        throw BuildError(label + ": the setup script has errors; setup would not install it as written");
    return content;
}

// Setup refuses a package for the user alone that would make anything needing administrators'
// rights, such as an install folder given in Program Files, before it makes anything.
void RequireUsersOwn(const InstallPlan& plan) {
    if (plan.scope != PackageScope::User) return;
    for (const PlanAction& action : plan.actions)
        if (!action.admin.empty())
            throw BuildError((action.path.empty() ? action.key : action.path) + " needs administrator rights (" +
                             action.admin + "): setup refuses it in a package for the user alone");
}

}  // namespace

void WriteInstallPlan(const PlanOptions& options, std::ostream& out, std::ostream& notes) {
    const PackageContent content =
        CheckedPackage(options.input, options.scriptEncoding, options.setupExe, options.scope, notes);
    const InstallPlan plan =
        PlanInstall(content, ScopeOf(content.Script()).value_or(PackageScope::Machine), options.installFolder);
    RequireUsersOwn(plan);
    out << (options.json ? PlanJson(plan) : PlanText(plan));
}

void WriteBillOfMaterials(const SbomOptions& options, std::ostream& report, std::ostream& notes) {
    const PackageContent content =
        CheckedPackage(options.input, options.scriptEncoding, options.setupExe, std::nullopt, notes);
    const InstallPlan plan =
        PlanInstall(content, ScopeOf(content.Script()).value_or(PackageScope::Machine), std::nullopt);
    if (!content.SetupProgram())
        notes << "note: without --setup SETUP_EXE the setup program is not in the bill of materials\n";
    const std::string document =
        SpdxDocument(plan, content.SetupProgram(), {SpdxCreationTime(), std::string("setup-media-") + SETUP_MEDIA_VERSION});
    // Written beside its place and then put there whole, so a failure leaves no half document.
    fs::path written = options.out;
    written += ".partial";
    {
        std::ofstream file(written, std::ios::binary);
        if (!(file << document) || !file.flush()) {
            file.close();
            std::error_code ignored;
            fs::remove(written, ignored);
            throw BuildError("cannot write " + TextOfPath(written));
        }
    }
    fs::rename(written, options.out);
    report << "SPDX 2.3 bill of materials of " << plan.package << " in " << TextOfPath(options.out) << "\n";
}
