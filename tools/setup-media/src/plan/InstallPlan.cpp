#include "plan/InstallPlan.h"

#include <algorithm>

#include "base/ContentDigest.h"
#include "common/LetterCase.h"
#include "plan/AdministratorRights.h"
#include "plan/PlanFolders.h"
#include "script/PathMacroText.h"
#include "setupdata/IntegerText.h"
#include "setupdata/ScriptGroups.h"
#include "setupdata/ScriptNames.h"

namespace {

constexpr const char* MachineRoot = "HKEY_LOCAL_MACHINE";
constexpr const char* UserRoot = "HKEY_CURRENT_USER";
constexpr const char* ClassesRoot = "HKEY_CLASSES_ROOT";
constexpr const char* ProgramsListKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr const char* LogRecordsKey = "\\Software\\qupsetup";

struct ShellFolders {
    const char* programs;
    const char* startMenu;
    const char* desktop;
};
constexpr ShellFolders CommonFolders{CommonProgramsFolder, CommonStartMenuFolder, CommonDesktopFolder};
constexpr ShellFolders UserFolders{UserProgramsMenuFolder, UserStartMenuFolder, UserDesktopFolder};

std::string WithTrailingBackslash(const std::string& folder) {
    return folder.empty() || folder.back() == '\\' ? folder : folder + "\\";
}

// The value `key` of `section` as the install reads it; nothing when the script lacks it.
std::optional<std::string> ScriptValue(const ProfileText& script, std::string_view section, std::string_view key) {
    const ProfileEntry* entry = script.FindEntry(section, key);
    return entry ? std::optional<std::string>(entry->value) : std::nullopt;
}

// A listed section's values, as the install walks them.
std::vector<std::string> ListedValues(const ProfileText& script, std::string_view section) {
    std::vector<std::string> values;
    for (const ProfileEntry* entry : ListedEntries(script.Find(section))) values.push_back(entry->value);
    return values;
}

// The number at `at` of a version text, and `at` moved past it and its dot, as the entry takes it.
std::string VersionPart(const std::string& version, size_t& at) {
    int32_t part = 0;
    for (; at < version.size() && version[at] >= '0' && version[at] <= '9' && part < 100000000; ++at)
        part = part * 10 + (version[at] - '0');
    if (at < version.size() && version[at] == '.') ++at;
    return std::to_string(part);
}

PlanAction AtPath(ActionKind kind, ActionRole role, const std::string& path) {
    PlanAction action;
    action.kind = kind;
    action.role = role;
    action.path = path;
    action.admin = AdministratorsFolderReason(path);
    return action;
}

PlanAction Key(ActionRole role, const std::string& key) {
    PlanAction action;
    action.kind = ActionKind::Key;
    action.role = role;
    action.key = key;
    action.admin = AdministratorsKeyReason(key);
    return action;
}

PlanAction Value(ActionRole role, const std::string& key, const std::string& name, ValueType type,
                 std::optional<std::string> data) {
    PlanAction action = Key(role, key);
    action.kind = ActionKind::Value;
    action.name = name;
    action.type = type;
    action.data = std::move(data);
    return action;
}

class PlanBuilder {
public:
    PlanBuilder(const PackageContent& content, PackageScope scope, const std::optional<std::string>& installFolder)
        : content_(content), script_(content.Script()), shell_(scope == PackageScope::User ? UserFolders : CommonFolders) {
        plan_.package = ScriptValue(script_, PackageSection, PackageNameKey).value_or("");
        plan_.version = ScriptValue(script_, PackageSection, PackageVersionKey).value_or("");
        plan_.publisher = ScriptValue(script_, PackageSection, PublisherKey).value_or("");
        plan_.scope = scope;
        plan_.installFolder = installFolder.value_or(
            ScriptValue(script_, InstallFolderSection, InstallFolderKey).value_or("c:\\" + plan_.package));
        folderKnown_ = installFolder.has_value();
        macros_ = {"%%PROGPATH%%", "%%COMMONPATH%%", plan_.installFolder, "%%WINDIR%%", "%%WINSYS%%",
                   "%%USERPROGRAMS%%", "%%LOCALAPPDATA%%", "%%APPDATA%%"};
        if (scope == PackageScope::Machine) plan_.admin = "the package is installed for every user of the machine";
    }

    InstallPlan Build() {
        PrepareFolders();
        CopySetupProgram();
        ProgramFiles();
        RegistryEntries();
        UninstallEntry();
        Shortcuts();
        LeaveLog();
        return std::move(plan_);
    }

private:
    bool UserScope() const { return plan_.scope == PackageScope::User; }
    std::string Expanded(const std::string& value) const { return ExpandMacros(value, macros_); }
    std::string LogPath() const { return WithTrailingBackslash(plan_.installFolder) + LogFileName; }
    std::string RootName() const { return UserScope() ? UserRoot : MachineRoot; }
    std::string ProgramCopy() const {
        return UserScope() ? std::string("%%LOCALAPPDATA%%\\qupsetup\\") + SetupProgramCopyName
                           : std::string("%%WINDIR%%\\") + SetupProgramCopyName;
    }

    void Add(PlanAction action) { plan_.actions.push_back(std::move(action)); }

    // The install folder, the [InstallFolder] entries after the first below it, and [OtherFolders] as written.
    void PrepareFolders() {
        Add(AtPath(ActionKind::Folder, ActionRole::Package, plan_.installFolder));
        const std::vector<std::string> subfolders = ListedValues(script_, InstallFolderSection);
        for (size_t i = 1; i < subfolders.size(); ++i)
            Add(AtPath(ActionKind::Folder, ActionRole::Package, plan_.installFolder + "\\" + subfolders[i]));
        for (const std::string& folder : ListedValues(script_, OtherFoldersSection))
            Add(AtPath(ActionKind::Folder, ActionRole::Package, folder));
    }

    void CopySetupProgram() {
        PlanAction action = AtPath(ActionKind::File, ActionRole::Uninstaller, ProgramCopy());
        action.content = content_.SetupProgram();
        Add(std::move(action));
    }

    // Every file of disks 1 to [Disks] n, in script order.
    void ProgramFiles() {
        const int32_t disks = DiskCount(script_).value_or(0);
        for (const ProgramFile& file : ::ProgramFiles(script_)) {
            if (file.disk > disks) continue;
            PlanAction action = AtPath(ActionKind::File, ActionRole::Package, Expanded(file.entry->value));
            action.disk = file.disk;
            action.content = content_.File(file);
            installedBytes_ += action.content->size;
            Add(std::move(action));
        }
    }

    // A package for the user alone writes the user's own classes for HKEY_CLASSES_ROOT.
    std::string ScopedKey(const std::string& text) const {
        const std::string classes = std::string(ClassesRoot) + "\\";
        if (!UserScope() || !text.starts_with(classes)) return text;
        return std::string(UserRoot) + "\\Software\\Classes" + text.substr(classes.size() - 1);
    }

    // [RegistryKeys], then [KeyValues] into them; no values without keys to make.
    void RegistryEntries() {
        const std::vector<const ProfileEntry*> keys = ListedEntries(script_.Find(RegistryKeysSection));
        if (keys.empty()) return;
        for (const ProfileEntry* key : keys)
            if (key->value.find('\\') != std::string::npos) Add(Key(ActionRole::Package, ScopedKey(key->value)));
        const std::vector<const ProfileEntry*> values = ListedEntries(script_.Find(KeyValuesSection));
        for (size_t at = 0; at + 4 <= values.size(); at += 4) {
            // The listed key of that name, or any entry of it that the listing left out.
            const auto listed = std::find_if(keys.begin(), keys.end(),
                                             [&](const ProfileEntry* key) { return EqualIgnoringCase(key->name, values[at + 1]->value); });
            const std::optional<std::string> text =
                listed != keys.end() ? (*listed)->value : ScriptValue(script_, RegistryKeysSection, values[at + 1]->value);
            if (!text || text->find('\\') == std::string::npos) continue;
            const std::string& data = values[at + 2]->value;
            const bool isString = IsStringType(values[at + 3]->value);
            const std::optional<int32_t> number = ParseIntegerText(data);
            Add(Value(ActionRole::Package, ScopedKey(*text), RegistryValueName(values[at]->value),
                      isString ? ValueType::String : ValueType::Integer,
                      isString ? Expanded(data) : std::to_string(number.value_or(0))));
        }
    }

    // The target of a shortcut pair's reference, macros replaced; nothing when it names no entry.
    std::optional<std::string> Target(const std::string& reference) const {
        const std::optional<ShortcutReference> parsed = ParseShortcutReference(reference);
        if (!parsed) return std::nullopt;
        const std::optional<std::string> value = ScriptValue(script_, parsed->section, parsed->key);
        return value ? std::optional<std::string>(Expanded(*value)) : std::nullopt;
    }

    std::optional<std::string> GroupName() const { return ScriptValue(script_, GroupSection, GroupKey); }

    // The sections of shortcuts in the order they are made; [Icons] only with a group.
    std::vector<std::pair<const char*, std::string>> ShortcutSections() const {
        std::vector<std::pair<const char*, std::string>> sections;
        if (const std::optional<std::string> group = GroupName())
            sections.emplace_back(IconsSection, std::string(shell_.programs) + "\\" + *group);
        sections.emplace_back(StartButtonSection, shell_.startMenu);
        sections.emplace_back(DesktopSection, shell_.desktop);
        return sections;
    }

    // The entry in the list of installed programs, with its values as the install writes them.
    void UninstallEntry() {
        if (ScriptValue(script_, PackageSection, UninstallEntryKey).value_or("") != UninstallEntryWanted) return;
        std::string name = plan_.package;
        std::replace(name.begin(), name.end(), '\\', '_');
        const std::string key = RootName() + ProgramsListKey + name;
        Add(Key(ActionRole::Entry, key));
        const auto text = [&](const char* value, std::optional<std::string> data) {
            Add(Value(ActionRole::Entry, key, value, ValueType::String, std::move(data)));
        };
        const auto number = [&](const char* value, std::string data) {
            Add(Value(ActionRole::Entry, key, value, ValueType::Integer, std::move(data)));
        };
        text("DisplayName", plan_.package);
        if (!plan_.version.empty()) {
            size_t at = 0;
            text("DisplayVersion", plan_.version);
            number("VersionMajor", VersionPart(plan_.version, at));
            number("VersionMinor", VersionPart(plan_.version, at));
        }
        if (!plan_.publisher.empty()) text("Publisher", plan_.publisher);
        text("DisplayIcon", FirstShortcutTarget().value_or(ProgramCopy()));
        const std::string command = "\"" + ProgramCopy() + "\" ";
        text("UninstallString", command + LogPath());
        text("QuietUninstallString", command + "/S " + LogPath());
        text("InstallLocation", plan_.installFolder);
        text("InstallDate", std::nullopt);
        number("EstimatedSize", std::to_string((installedBytes_ + 1023) / 1024));
        number("NoModify", "1");
        number("NoRepair", "1");
    }

    std::optional<std::string> FirstShortcutTarget() const {
        for (const auto& [section, folder] : ShortcutSections()) {
            const std::vector<std::string> pairs = ListedValues(script_, section);
            for (size_t at = 0; at + 2 <= pairs.size(); at += 2)
                if (const std::optional<std::string> target = Target(pairs[at])) return target;
        }
        return std::nullopt;
    }

    // The program group folder (made, or taken as it is), then the shortcuts of each section.
    void Shortcuts() {
        if (const std::optional<std::string> group = GroupName())
            Add(AtPath(ActionKind::Folder, ActionRole::Package, std::string(shell_.programs) + "\\" + *group));
        for (const auto& [section, folder] : ShortcutSections()) {
            const std::vector<std::string> pairs = ListedValues(script_, section);
            for (size_t at = 0; at + 2 <= pairs.size(); at += 2) {
                const std::optional<std::string> target = Target(pairs[at]);
                if (!target) continue;
                PlanAction action = AtPath(ActionKind::Shortcut, ActionRole::Package, folder + "\\" + pairs[at + 1] + ".lnk");
                action.target = *target;
                Add(std::move(action));
            }
        }
    }

    // The log in the install folder, and its record: a key named by the digest of the log's final
    // path (lower case), below a key of the records.
    void LeaveLog() {
        Add(AtPath(ActionKind::File, ActionRole::Log, LogPath()));
        const std::optional<std::string> finalPath =
            folderKnown_ ? std::optional<std::string>(LowerCase(LogPath())) : std::nullopt;
        const std::string records = RootName() + LogRecordsKey;
        const std::string record = records + "\\" + (finalPath ? ContentDigest(*finalPath) : LogRecordName);
        Add(Key(ActionRole::Record, records));
        Add(Key(ActionRole::Record, record));
        Add(Value(ActionRole::Record, record, "Log", ValueType::String, finalPath));
        Add(Value(ActionRole::Record, record, "Digest", ValueType::String, std::nullopt));
    }

    const PackageContent& content_;
    const ProfileText& script_;
    const ShellFolders& shell_;
    InstallPlan plan_;
    bool folderKnown_ = false;
    MacroFolders macros_;
    uint64_t installedBytes_ = 0;
};

}  // namespace

InstallPlan PlanInstall(const PackageContent& content, PackageScope scope, const std::optional<std::string>& installFolder) {
    return PlanBuilder(content, scope, installFolder).Build();
}
