#include "fsutil/Shortcut.h"

#include <windows.h>
#include <shlobj.h>

#include "fsutil/ComScope.h"
#include "state/SetupState.h"

namespace {

// Our own copies of the shell's identifiers, so the program does not depend on the import
// libraries defining them.
namespace ids {
constexpr GUID CLSID_ShellLink = {0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID IID_IShellLinkA = {0x000214EE, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID IID_IPersistFile = {0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
}  // namespace ids

std::wstring WidePath(const std::string& path) {
    wchar_t buffer[MAX_PATH];
    const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, buffer, MAX_PATH);
    return length > 0 ? std::wstring(buffer) : std::wstring();
}

void SaveLink(IShellLinkA& link, const std::string& linkPath) {
    ComPointer<IPersistFile> file;
    if (FAILED(link.QueryInterface(ids::IID_IPersistFile, file.Receive()))) return;
    const std::wstring widePath = WidePath(linkPath);
    if (!widePath.empty()) file->Save(widePath.c_str(), TRUE);
}

}  // namespace

int CreateShortcut(const std::string& target, const std::string& description, const std::string& linkPath) {
    RequireFittingPath(target);
    RequireFittingPath(linkPath);
    const ComInitGuard com;
    if (!com.Succeeded()) return -1;
    ComPointer<IShellLinkA> link;
    if (FAILED(CoCreateInstance(ids::CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, ids::IID_IShellLinkA,
                                link.Receive())))
        return 0;
    link->SetPath(target.c_str());
    link->SetDescription(description.c_str());
    link->SetWorkingDirectory(Setup.InstallFolder.c_str());
    SaveLink(*link, linkPath);
    return 0;
}
