#include "CommandLine.h"

#include <functional>
#include <map>

#include "common/PathText.h"
#include "script/PathMacroText.h"

namespace {

// Walks the arguments after the command: options with their values, and the one operand.
class ArgumentReader {
public:
    ArgumentReader(const std::vector<std::string>& arguments, const std::string& command)
        : arguments_(arguments), command_(command) {}

    // Calls `option` for each option (with a reader for its value) and returns the operand, the
    // folder or file to work on.
    std::filesystem::path Read(const std::map<std::string, std::function<void()>>& options) {
        std::string operand;
        for (next_ = 1; next_ < arguments_.size();) {
            const std::string& argument = arguments_[next_++];
            if (const auto found = options.find(argument); found != options.end())
                found->second();
            else if (argument.starts_with("--"))
                throw UsageError(command_ + ": unknown option " + argument);
            else if (!operand.empty())
                throw UsageError(command_ + ": one folder or file only, not " + operand + " and " + argument);
            else
                operand = argument;
        }
        if (operand.empty()) throw UsageError(command_ + ": what to work on is missing");
        return PathOfText(operand);
    }

    std::string Value(const std::string& option) {
        if (next_ >= arguments_.size()) throw UsageError(command_ + ": " + option + " needs a value");
        return arguments_[next_++];
    }

    std::filesystem::path PathValue(const std::string& option) { return PathOfText(Value(option)); }

private:
    const std::vector<std::string>& arguments_;
    std::string command_;
    size_t next_ = 1;
};

ScriptEncoding ParseScriptEncoding(const std::string& command, const std::string& name) {
    const std::optional<ScriptEncoding> encoding = ScriptEncodingNamed(name);
    if (!encoding)
        throw UsageError(command + ": script encoding " + name +
                         " is none of utf-8, utf-16, windows-1250, windows-1251, windows-1252, windows-1253");
    return *encoding;
}

BuildOptions ParseBuild(const std::vector<std::string>& arguments) {
    BuildOptions options;
    ArgumentReader reader(arguments, "build");
    options.package = reader.Read({
        {"--setup", [&] { options.setupExe = reader.PathValue("--setup"); }},
        {"--out", [&] { options.out = reader.PathValue("--out"); }},
        {"--one-file", [&] { options.oneFile = reader.PathValue("--one-file"); }},
        {"--disk-size",
         [&] {
             const std::string size = reader.Value("--disk-size");
             options.diskSize = ParseDiskSize(size);
             if (!options.diskSize)
                 throw UsageError("build: disk size " + size + " is none of 720K, 1.44M, 2.88M, CD or a byte count");
         }},
        {"--spread", [&] { options.spread = true; }},
        {"--script-encoding",
         [&] { options.scriptEncoding = ParseScriptEncoding("build", reader.Value("--script-encoding")); }},
        {"--force", [&] { options.force = true; }},
    });
    if (options.setupExe.empty()) throw UsageError("build: --setup SETUP_EXE is missing");
    if (options.out.empty() == options.oneFile.empty())
        throw UsageError("build: one of --out OUT_DIR and --one-file OUT_EXE is needed");
    if (options.spread && !options.diskSize) throw UsageError("build: --spread needs --disk-size");
    return options;
}

CheckOptions ParseCheck(const std::vector<std::string>& arguments) {
    CheckOptions options;
    ArgumentReader reader(arguments, "check");
    options.script = reader.Read({
        {"--media", [&] { options.media = reader.PathValue("--media"); }},
        {"--script-encoding",
         [&] { options.scriptEncoding = ParseScriptEncoding("check", reader.Value("--script-encoding")); }},
        {"--strict", [&] { options.strict = true; }},
    });
    return options;
}

UnpackOptions ParseUnpack(const std::vector<std::string>& arguments) {
    UnpackOptions options;
    ArgumentReader reader(arguments, "unpack");
    options.oneFile = reader.Read({{"--out", [&] { options.out = reader.PathValue("--out"); }},
                                   {"--force", [&] { options.force = true; }}});
    if (options.out.empty()) throw UsageError("unpack: --out OUT_DIR is missing");
    return options;
}

ManifestOptions ParseManifest(const std::vector<std::string>& arguments) {
    ManifestOptions options;
    ArgumentReader reader(arguments, "manifest");
    options.oneFile = reader.Read({{"--id", [&] { options.id = reader.Value("--id"); }},
                                   {"--url", [&] { options.url = reader.Value("--url"); }},
                                   {"--out", [&] { options.out = reader.PathValue("--out"); }},
                                   {"--license", [&] { options.license = reader.Value("--license"); }},
                                   {"--description", [&] { options.description = reader.Value("--description"); }}});
    if (options.id.empty() || options.url.empty() || options.out.empty())
        throw UsageError("manifest: --id, --url and --out are needed");
    return options;
}

// The install folder a plan is made for, spelt as setup takes it: no "\\" at its end but a root's.
std::string InstallFolderOption(const std::string& folder) {
    if (!IsFullPath(folder)) throw UsageError("plan: the install folder must be a full path: " + folder);
    std::string trimmed = folder;
    while (trimmed.size() > 3 && trimmed.back() == '\\') trimmed.pop_back();
    return trimmed;
}

PlanOptions ParsePlan(const std::vector<std::string>& arguments) {
    PlanOptions options;
    ArgumentReader reader(arguments, "plan");
    options.input = reader.Read({
        {"--dest", [&] { options.installFolder = InstallFolderOption(reader.Value("--dest")); }},
        {"--scope",
         [&] {
             const std::string scope = reader.Value("--scope");
             if (scope != "user" && scope != "machine") throw UsageError("plan: --scope is user or machine, not " + scope);
             options.scope = scope == "user" ? PackageScope::User : PackageScope::Machine;
         }},
        {"--json", [&] { options.json = true; }},
        {"--setup", [&] { options.setupExe = reader.PathValue("--setup"); }},
        {"--script-encoding",
         [&] { options.scriptEncoding = ParseScriptEncoding("plan", reader.Value("--script-encoding")); }},
    });
    return options;
}

SbomOptions ParseSbom(const std::vector<std::string>& arguments) {
    SbomOptions options;
    ArgumentReader reader(arguments, "sbom");
    options.input = reader.Read({
        {"--out", [&] { options.out = reader.PathValue("--out"); }},
        {"--setup", [&] { options.setupExe = reader.PathValue("--setup"); }},
        {"--script-encoding",
         [&] { options.scriptEncoding = ParseScriptEncoding("sbom", reader.Value("--script-encoding")); }},
    });
    if (options.out.empty()) throw UsageError("sbom: --out FILE is missing");
    return options;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    const std::string command = arguments.empty() ? "--help" : arguments.front();
    if (command == "--help" || command == "-h" || command == "help") {
        line.action = CommandLine::Action::Help;
    } else if (command == "--version") {
        line.action = CommandLine::Action::Version;
    } else if (command == "build") {
        line.action = CommandLine::Action::Build;
        line.build = ParseBuild(arguments);
    } else if (command == "check") {
        line.action = CommandLine::Action::Check;
        line.check = ParseCheck(arguments);
    } else if (command == "unpack") {
        line.action = CommandLine::Action::Unpack;
        line.unpack = ParseUnpack(arguments);
    } else if (command == "manifest") {
        line.action = CommandLine::Action::Manifest;
        line.manifest = ParseManifest(arguments);
    } else if (command == "plan") {
        line.action = CommandLine::Action::Plan;
        line.plan = ParsePlan(arguments);
    } else if (command == "sbom") {
        line.action = CommandLine::Action::Sbom;
        line.sbom = ParseSbom(arguments);
    } else {
        throw UsageError("unknown command " + command +
                         " (build, check, unpack, manifest, plan, sbom, --help, --version)");
    }
    return line;
}

std::string UsageText() {
    return R"(Usage:
  setup-media build PACKAGE_DIR --setup SETUP_EXE --out OUT_DIR [--disk-size SIZE] [--spread] [--force]
                    [--script-encoding NAME]
  setup-media build PACKAGE_DIR --setup SETUP_EXE --one-file OUT_EXE [--disk-size SIZE] [--spread] [--force]
                    [--script-encoding NAME]
  setup-media check INSTALL_INI [--media DIR_OR_EXE] [--script-encoding NAME] [--strict]
  setup-media unpack ONE_FILE_EXE --out OUT_DIR [--force]
  setup-media manifest ONE_FILE_EXE --id PUBLISHER.PACKAGE --url URL --out OUT_DIR
                       [--license TEXT] [--description TEXT]
  setup-media plan PACKAGE_DIR|MEDIA|ONE_FILE_EXE [--dest DIR] [--scope user|machine] [--json]
                   [--setup SETUP_EXE] [--script-encoding NAME]
  setup-media sbom PACKAGE_DIR|ONE_FILE_EXE --out FILE [--setup SETUP_EXE] [--script-encoding NAME]
  setup-media --help | --version

build   Turns a package folder into setup media: OUT_DIR/disk01, disk02, ... Disk 1 holds
        setup.exe, install.ini, the licence and a language file for each language offered
        ([Package] languages=, all without it); every disk holds its diskNN.id and its files,
        compressed, under their media names (app.exe as app.ex_). PACKAGE_DIR holds install.ini,
        the licence and the files, in disk01/, disk02/, ... or all in PACKAGE_DIR itself (each
        then goes on the disk whose [ProgramFilesNN] names it), each where its destination puts
        it below its macro or drive (Data/x.txt for %%INSTALLPATH%%\Data\x.txt) or at the top.
        A destination ending in \* takes a folder's files, in \** its subfolders' too. The
        script is checked first.
  --setup SETUP_EXE   the setup program to put on disk 1
  --out OUT_DIR       where the media go; made anew, and nothing is written on a failure
  --one-file OUT_EXE  instead, one executable: SETUP_EXE followed by the media of every disk
                      as one, checked by setup as it starts; sign SETUP_EXE before, OUT_EXE after
  --disk-size SIZE    720K, 1.44M, 2.88M, CD or a byte count: every disk must fit
  --spread            with --disk-size: put the files on disks in script order, and write
                      [ProgramFilesNN] and [Disks] n into the media's install.ini
  --force             replace OUT_DIR when it is not empty, or OUT_EXE; OUT_DIR never lies
                      inside PACKAGE_DIR, nor PACKAGE_DIR inside it
  --script-encoding NAME  what install.ini is written in: utf-8, utf-16, windows-1250,
                      windows-1251, windows-1252 or windows-1253; without it, UTF-8 when the
                      file is valid UTF-8, else windows-1252 (UTF-16 with a byte-order mark is
                      always read as such). The media get it as UTF-16 with a byte-order mark.

check   Reports what in a setup script misbehaves when setup runs, as
        INSTALL_INI:LINE: error: ...  or  INSTALL_INI:LINE: warning: ...
  --media DIR_OR_EXE  also check built media: every file on its disk, every diskNN.id; a
                      one-file setup is checked whole first
  --script-encoding NAME  as for build; bytes invalid in it are warned of
  --strict            every warning is an error (exit status 2), for builds that must be clean

unpack  Writes the media a one-file setup carries into OUT_DIR/disk01 (one disk), after
        checking the file whole.

manifest  Writes winget's manifests of a one-file setup into OUT_DIR: ID.yaml,
        ID.installer.yaml, ID.locale.en-US.yaml (schema 1.10.0). The script must hold
        [Package] version, publisher and uninstallentry=yes. The id must be of winget's
        form Publisher.Package. --license defaults to Proprietary (the manifest says so
        beside it), --description to the package name.

plan    Writes what an install would do, in the order it does it: each folder, file (size and
        SHA-256 as installed), registry key and value, shortcut, the entry in the list of
        installed programs, the uninstall program, the log and its record, and what needs
        administrators' rights. Folders only the machine knows keep their macros.
  --dest DIR          the install folder (a full path) instead of the one the script proposes
  --scope SCOPE       user or machine, instead of the script's [Package] scope
  --json              the documented JSON format (docs/plan-schema.json) instead of text
  --setup SETUP_EXE   a package folder's setup program (media carry their own)

sbom    Writes an SPDX 2.3 JSON bill of materials to FILE: the package, every file it
        installs with its SHA-1 and SHA-256, and the setup program (a one-file setup's own, or
        --setup SETUP_EXE for a package folder).

Exit status: 0 done (check: clean), 1 check found warnings only, 2 errors or a failed build
(which leaves nothing half-written).
)";
}
