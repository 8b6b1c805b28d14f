#include "SetupMediaCommand.h"

#include <filesystem>

#include "CommandLine.h"
#include "common/PathText.h"
#include "common/TextFile.h"
#include "media/BuildError.h"
#include "media/MediaLookup.h"
#include "media/Unpack.h"
#include "script/ScriptCheck.h"

namespace {

int RunCheck(const CheckOptions& options, std::ostream& out, std::ostream& err) {
    const std::optional<std::string> text = ReadWholeFile(options.script);
    if (!text) {
        err << "setup-media: error: cannot read " << TextOfPath(options.script) << "\n";
        return ExitErrors;
    }
    const ProfileText script = ProfileText::Read(*text, options.scriptEncoding);
    // A one-file setup is checked whole, then the media it holds; nothing is written for either.
    const CheckedScript checked = CheckPackageScript(script, options.script.parent_path(),
                                                     options.media ? MediaLookup(*options.media) : nullptr, false);
    Findings findings = checked.findings;
    // For a build that must not go on with anything setup would not do as written.
    if (options.strict)
        for (Finding& finding : findings) finding.severity = Severity::Error;
    for (const Finding& finding : findings) out << FormatFinding(TextOfPath(options.script), finding) << "\n";
    if (HasErrors(findings)) return ExitErrors;
    return findings.empty() ? ExitDone : ExitWarnings;
}

int Run(const CommandLine& line, std::ostream& out, std::ostream& err) {
    switch (line.action) {
        case CommandLine::Action::Help:
            out << UsageText();
            return ExitDone;
        case CommandLine::Action::Version:
            out << "setup-media " << SETUP_MEDIA_VERSION << "\n";
            return ExitDone;
        case CommandLine::Action::Build:
            BuildMedia(line.build, out, err);
            return ExitDone;
        case CommandLine::Action::Check:
            return RunCheck(line.check, out, err);
        case CommandLine::Action::Manifest:
            WriteWingetManifest(line.manifest, out);
            return ExitDone;
        case CommandLine::Action::Plan:
            WriteInstallPlan(line.plan, out, err);
            return ExitDone;
        case CommandLine::Action::Sbom:
            WriteBillOfMaterials(line.sbom, out, err);
            return ExitDone;
        case CommandLine::Action::Unpack:
            UnpackOneFile(line.unpack.oneFile, line.unpack.out, line.unpack.force, out);
            return ExitDone;
    }
    return ExitErrors;
}

}  // namespace

int RunSetupMedia(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    try {
        return Run(ParseCommandLine(arguments), out, err);
    } catch (const UsageError& error) {
        err << "setup-media: " << error.what() << "\nsetup-media --help tells more\n";
    } catch (const BuildError& error) {
        err << "setup-media: error: " << error.what() << "\n";
    } catch (const std::filesystem::filesystem_error& error) {
        err << "setup-media: error: " << error.code().message() << ": " << TextOfPath(error.path1()) << "\n";
    } catch (const std::exception& error) {
        err << "setup-media: error: " << error.what() << "\n";
    }
    return ExitErrors;
}
