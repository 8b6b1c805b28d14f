#include <algorithm>
#include <optional>
#include <string_view>

#include "common/NearestName.h"
#include "script/ScriptRules.h"
#include "script/SetupScript.h"
#include "setupdata/IntegerText.h"
#include "setupdata/ScriptGroups.h"
#include "setupdata/ScriptNames.h"

namespace {

constexpr size_t KeyValueGroupSize = 4;
// What authors write for a 32-bit integer value; setup takes any type but "string" for one.
constexpr std::string_view IntegerTypeNames[] = {"integer", "dword"};
constexpr const char* DefaultValueName = "(Default)";

// The only root names the uninstall knows; keys under any other are left behind.
constexpr std::string_view UninstallRoots[] = {"HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_USERS",
                                               "HKEY_CLASSES_ROOT"};
// Root names the install knows besides HKEY_LOCAL_MACHINE; any other name means that one.
constexpr std::string_view InstallOnlyRoots[] = {"HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA"};
constexpr std::string_view UserRoots[] = {"HKEY_CURRENT_USER", "HKEY_CLASSES_ROOT"};
// The keys at the top of HKEY_LOCAL_MACHINE, which Windows makes.
constexpr std::string_view MachineTopKeys[] = {"SOFTWARE", "SYSTEM", "HARDWARE", "SAM", "SECURITY", "BCD00000000"};
constexpr long MaxKeyLevels = 32;

template <class Names>
bool IsOneOf(std::string_view name, const Names& names) {
    for (std::string_view candidate : names)
        if (name == candidate) return true;
    return false;
}

std::string RootWarning(const std::string& root) {
    if (IsOneOf(root, InstallOnlyRoots)) return "the uninstall never removes keys under " + root;
    return Quoted(root) + " is not a root name: the key goes under HKEY_LOCAL_MACHINE and the uninstall never " +
           "removes it; write HKEY_LOCAL_MACHINE";
}

// What a per-user package may not write: every root but these two, which setup takes as the
// user's own (HKEY_CLASSES_ROOT as HKEY_CURRENT_USER\Software\Classes).
std::optional<std::string> NotForOneUser(const std::string& root) {
    if (IsOneOf(root, UserRoots)) return std::nullopt;
    const bool named = IsOneOf(root, UninstallRoots) || IsOneOf(root, InstallOnlyRoots);
    return (named ? root : Quoted(root) + " means HKEY_LOCAL_MACHINE, which") +
           " needs administrator rights: a per-user package (scope=user) writes only under HKEY_CURRENT_USER and "
           "HKEY_CLASSES_ROOT";
}

void CheckRoot(const ProfileEntry& key, const std::string& root, std::optional<PackageScope> scope,
               Findings& findings) {
    if (scope == PackageScope::User) {
        if (const std::optional<std::string> refused = NotForOneUser(root))
            findings.push_back({key.line, Severity::Error, *refused});
        return;
    }
    if (!IsOneOf(root, UninstallRoots))
        findings.push_back({key.line, Severity::Warning, RootWarning(root)});
    else if (scope == PackageScope::Machine && root == "HKEY_CURRENT_USER")
        findings.push_back({key.line, Severity::Warning, InAdministratorsProfile(root)});
}

// RegCreateKeyEx makes no key that is a direct child of HKEY_LOCAL_MACHINE or HKEY_USERS, nor one
// more than 32 levels deep (Microsoft's documentation of RegCreateKeyEx, lpSubKey and Remarks).
// Below those two roots only the keys Windows made itself stand: a path through another one fails.
std::optional<std::string> NotMade(const std::string& root, const std::string& path) {
    const bool machine = !IsOneOf(root, InstallOnlyRoots) && !IsOneOf(root, UserRoots) && root != "HKEY_USERS";
    const std::string top = path.substr(0, path.find('\\'));
    const bool ownTop = machine ? std::any_of(std::begin(MachineTopKeys), std::end(MachineTopKeys),
                                              [&](std::string_view key) { return EqualIgnoringCase(top, key); })
                                : root != "HKEY_USERS" || EqualIgnoringCase(top, ".DEFAULT") ||
                                      (top.size() > 4 && EqualIgnoringCase(top.substr(0, 4), "S-1-"));
    if (!ownTop)
        return "Windows makes no key directly below " + std::string(machine ? "HKEY_LOCAL_MACHINE" : "HKEY_USERS") +
               " but its own, and " + Quoted(top) + " is none of them: setup stops with \"Error creating registry "
               "key\"" + (machine ? "; write HKEY_LOCAL_MACHINE\\Software\\..." : "");
    if (std::count(path.begin(), path.end(), '\\') >= MaxKeyLevels)
        return "the key lies more than 32 levels deep, which Windows does not make: setup stops with \"Error "
               "creating registry key\"";
    return std::nullopt;
}

void CheckRegistryKeys(const std::vector<const ProfileEntry*>& keys, std::optional<PackageScope> scope,
                       Findings& findings) {
    for (const ProfileEntry* key : keys) {
        const size_t slash = key->value.find('\\');
        if (slash == std::string::npos) {
            findings.push_back({key->line, Severity::Error,
                                "registry key " + Quoted(key->value) + " has no \\ after its root: setup skips it"});
            continue;
        }
        const std::string root = key->value.substr(0, slash);
        CheckRoot(*key, root, scope, findings);
        if (const std::optional<std::string> fault = NotMade(root, key->value.substr(slash + 1)))
            findings.push_back({key->line, Severity::Error, "registry key " + Quoted(key->value) + ": " + *fault});
    }
}

// Setup writes a string for "string" in any case and a 32-bit integer for any other type.
bool IsIntegerTypeName(const std::string& type) {
    for (std::string_view name : IntegerTypeNames)
        if (EqualIgnoringCase(type, name)) return true;
    return false;
}

void CheckType(const ProfileEntry& data, const ProfileEntry& type, Findings& findings) {
    if (IsStringType(type.value)) return;
    const bool integer = ParseIntegerText(data.value).has_value();
    if (IsIntegerTypeName(type.value)) {
        if (!integer)
            findings.push_back({data.line, Severity::Error,
                                Quoted(data.value) + " is not an integer: setup stops with an error report"});
        return;
    }
    const std::optional<std::string> nearest = NearestName(type.value, {"string", "integer", "dword"});
    const std::string notType = Quoted(type.value) + " is not a type: string or an integer type (integer, dword); ";
    const std::string guess = nearest ? "; did you mean " + *nearest + "?" : "";
    if (integer)
        findings.push_back(
            {type.line, Severity::Warning, notType + "setup writes " + data.value + " as a 32-bit integer" + guess});
    else
        findings.push_back({type.line, Severity::Error,
                            notType + "setup takes it for an integer, and " + Quoted(data.value) +
                                " is none: it stops with an error report" + guess});
}

// "(Default)", exactly so, stands for the key's unnamed value; in other letters it is a name.
void CheckValueName(const ProfileEntry& name, Findings& findings) {
    if (name.value != DefaultValueName && EqualIgnoringCase(name.value, DefaultValueName))
        findings.push_back({name.line, Severity::Warning,
                            Quoted(name.value) + " names a value of that name: the key's unnamed value is " +
                                DefaultValueName + ", written so"});
}

void CheckGroup(const ProfileText& script, const std::vector<const ProfileEntry*>& values, size_t first,
                Findings& findings) {
    const ProfileEntry& reference = *values[first + 1];
    if (!script.FindEntry(RegistryKeysSection, reference.value))
        findings.push_back(
            {reference.line, Severity::Error,
             Quoted(reference.value) + " names no [RegistryKeys] entry: setup stops with \"Corrupt KeyValues entry\""});
    CheckValueName(*values[first], findings);
    CheckType(*values[first + 2], *values[first + 3], findings);
}

void CheckKeyValues(const ProfileText& script, bool keysListed, Findings& findings) {
    const ProfileSection* section = script.Find(KeyValuesSection);
    const std::vector<const ProfileEntry*> values = ListedEntries(section);
    if (values.empty()) return;
    if (!keysListed) {
        findings.push_back(
            {section->line, Severity::Error, "[KeyValues] is never read without [RegistryKeys] entries"});
        return;
    }
    const size_t whole = values.size() - values.size() % KeyValueGroupSize;
    for (size_t first = 0; first < whole; first += KeyValueGroupSize) CheckGroup(script, values, first, findings);
    if (whole < values.size())
        findings.push_back({values[whole]->line, Severity::Error,
                            "[KeyValues] ends with " + std::to_string(values.size() - whole) +
                                " entries that make no group of four: they are ignored"});
}

}  // namespace

void CheckRegistry(const CheckInput& input, Findings& findings) {
    const std::vector<const ProfileEntry*> keys = ListedEntries(input.script.Find(RegistryKeysSection));
    CheckRegistryKeys(keys, ScopeOf(input.script), findings);
    CheckKeyValues(input.script, !keys.empty(), findings);
}
