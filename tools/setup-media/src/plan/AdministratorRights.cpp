#include "plan/AdministratorRights.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "plan/PlanFolders.h"
#include "script/PathMacroText.h"

namespace {

struct FolderReason {
    std::string_view start;  // a macro, or a folder written out
    const char* reason;
};

constexpr FolderReason MacroReasons[] = {
    {"%%PROGPATH%%", "in the Program Files folder"},
    {"%%COMMONPATH%%", "in the Common Files folder"},
    {"%%WINDIR%%", "in the Windows folder"},
    {"%%WINSYS%%", "in the System folder"},
    {CommonProgramsFolder, "in all users' Start menu"},
    {CommonStartMenuFolder, "in all users' Start menu"},
    {CommonDesktopFolder, "on all users' desktop"},
};

// The same folders as a usual machine spells them.
constexpr FolderReason WrittenReasons[] = {
    {"C:\\Windows", "in the Windows folder"},
    {"C:\\Program Files", "in the Program Files folder"},
    {"C:\\Program Files (x86)", "in the Program Files folder"},
};

// Root names that reach the user's own part of the registry; any other root name the install
// takes for the machine's.
constexpr std::string_view UserRoots[] = {"HKEY_CURRENT_USER"};
constexpr std::string_view NamedRoots[] = {"HKEY_CLASSES_ROOT", "HKEY_USERS", "HKEY_CURRENT_CONFIG", "HKEY_DYN_DATA"};

}  // namespace

std::string AdministratorsFolderReason(const std::string& path) {
    for (const FolderReason& macro : MacroReasons)
        if (path.starts_with(macro.start)) return macro.reason;
    std::string windowsPath = path;
    std::replace(windowsPath.begin(), windowsPath.end(), '/', '\\');
    const std::vector<std::string> parts = FolderParts(windowsPath);
    for (const FolderReason& written : WrittenReasons) {
        const std::vector<std::string> top = FolderParts(written.start);
        if (parts.size() >= top.size() && std::equal(top.begin(), top.end(), parts.begin())) return written.reason;
    }
    return {};
}

std::string AdministratorsKeyReason(const std::string& keyText) {
    const std::string_view root = std::string_view(keyText).substr(0, keyText.find('\\'));
    if (std::find(std::begin(UserRoots), std::end(UserRoots), root) != std::end(UserRoots)) return {};
    if (std::find(std::begin(NamedRoots), std::end(NamedRoots), root) != std::end(NamedRoots))
        return "below " + std::string(root);
    return "below HKEY_LOCAL_MACHINE";
}
