#include <set>

#include "script/PathMacroText.h"
#include "script/ScriptRules.h"
#include "script/SetupScript.h"
#include "setupdata/ScriptNames.h"

namespace {

std::string Joined(const std::vector<std::string>& parts, size_t count) {
    std::string joined;
    for (size_t i = 0; i < count; ++i) joined += parts[i] + "\\";
    return joined;
}

// The person installing may choose any install folder: only the macro leads into it.
constexpr const char* AnyInstallFolder = "<the install folder>";

MacroFolders WithAnyInstallFolder(MacroFolders machine) {
    machine.installFolder = AnyInstallFolder;
    return machine;
}

// The folders a destination may go into on one machine: those the macros stand for, and those
// the setup makes before any file (the install folder, its [InstallFolder] subfolders and
// [OtherFolders]), each with every folder above it.
class KnownFolders {
public:
    KnownFolders(const ProfileText& script, const MacroFolders& machine) {
        // Every profile has its Local and Roaming AppData; Local's Programs only once something made it.
        for (const std::string* folder : {&machine.programFiles, &machine.commonFiles, &machine.installFolder,
                                          &machine.windows, &machine.system, &machine.localAppData, &machine.appData})
            Add(*folder);
        const std::vector<const ProfileEntry*> subfolders = ListedEntries(script.Find(InstallFolderSection));
        for (size_t i = 1; i < subfolders.size(); ++i) Add(machine.installFolder + "\\" + subfolders[i]->value);
        for (const ProfileEntry* other : ListedEntries(script.Find(OtherFoldersSection))) Add(other->value);
    }

    // True when `path` is one of those folders itself.
    bool IsFolder(const std::string& path) const {
        const std::vector<std::string> parts = FolderParts(path);
        return folders_.count(Joined(parts, parts.size())) > 0;
    }

    bool Holds(const std::string& path) const {
        std::vector<std::string> parts = FolderParts(path);
        if (!parts.empty()) parts.pop_back();
        return folders_.count(Joined(parts, parts.size())) > 0;
    }

private:
    void Add(const std::string& folder) {
        const std::vector<std::string> parts = FolderParts(folder);
        for (size_t count = 1; count <= parts.size(); ++count) folders_.insert(Joined(parts, count));
    }

    std::set<std::string> folders_;
};

}  // namespace

void CheckDestinations(const CheckInput& input, Findings& findings) {
    const ProfileText& script = input.script;
    const MacroFolders machines[] = {WithAnyInstallFolder(UsualMachine()), WithAnyInstallFolder(LongPathMachine())};
    const KnownFolders known[] = {{script, machines[0]}, {script, machines[1]}};
    for (const ProgramFile& file : ProgramFiles(script)) {
        const std::string& value = file.entry->value;
        if (!StartsWithMacro(value) && !IsFullPath(ExpandMacros(value, machines[0]))) {
            findings.push_back({file.entry->line, Severity::Error,
                                "destination " + Quoted(value) +
                                    " is not a full path: start it with a drive (C:\\) or a macro such as "
                                    "%%INSTALLPATH%%"});
            continue;
        }
        if (known[0].IsFolder(ExpandMacros(value, machines[0]))) {
            findings.push_back({file.entry->line, Severity::Error,
                                "destination " + Quoted(value) +
                                    " names a folder, not a file: setup stops with \"Error installing\""});
            continue;
        }
        for (size_t i = 0; i < 2; ++i) {
            if (known[i].Holds(ExpandMacros(value, machines[i]))) continue;
            findings.push_back({file.entry->line, Severity::Error,
                                "destination " + Quoted(value) +
                                    " goes into a folder setup does not make: list it in [InstallFolder] or "
                                    "[OtherFolders]"});
            break;
        }
    }
}
