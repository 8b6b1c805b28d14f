#include "fsutil/Shortcut.h"

#include <windows.h>
#include <shlobj.h>

#include "base/FormatText.h"
#include "base/QuotedText.h"
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

// The path fits the platform's buffer (RequireFittingPath), however many bytes it takes.
void SaveLink(IShellLinkA& link, const std::string& linkPath) {
    ComPointer<IPersistFile> file;
    if (FAILED(link.QueryInterface(ids::IID_IPersistFile, file.Receive()))) return;
    wchar_t widePath[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, widePath, MAX_PATH) > 0) file->Save(widePath, TRUE);
}

}  // namespace

Status CreateShortcut(const std::string& target, const std::string& description, const std::string& linkPath) {
    if (const Status fits = RequireFittingPath(target); !fits) return fits;
    if (const Status fits = RequireFittingPath(linkPath); !fits) return fits;
    const ComInitGuard com;
    if (!com.Succeeded())
        return Status::Failed(FormatText("The shortcut %s was not made: the shell's components could not be started",
                                         Quoted(linkPath).c_str()));
    ComPointer<IShellLinkA> link;
    if (FAILED(CoCreateInstance(ids::CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, ids::IID_IShellLinkA,
                                link.Receive())))
        return {};
    link->SetPath(target.c_str());
    link->SetDescription(description.c_str());
    link->SetWorkingDirectory(Setup.InstallFolder.c_str());
    SaveLink(*link, linkPath);
    return {};
}
