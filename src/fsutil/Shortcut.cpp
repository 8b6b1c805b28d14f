#include "fsutil/Shortcut.h"

#include <windows.h>
#include <shlobj.h>

#include "base/FormatText.h"
#include "base/QuotedText.h"
#include "base/TextEncoding.h"
#include "fsutil/ComScope.h"
#include "state/SetupState.h"

namespace {

// Our own copies of the shell's identifiers, so the program does not depend on the import
// libraries defining them.
namespace ids {
constexpr GUID CLSID_ShellLink = {0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID IID_IShellLinkW = {0x000214F9, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID IID_IPersistFile = {0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
}  // namespace ids

// `text` in UTF-16 and ended by a wide zero, for a wide call that takes no length.
std::string WideText(const std::string& text) { return ToUtf16(text).append(2, '\0'); }

// The shell keeps the target's path and names in the link in the code page of the program that
// makes it too, and reads them in that of the program that starts it: this program's is UTF-8, the
// system's is not (wine's shell stores nothing else). A target beyond ASCII is given in its short
// form where the file system keeps one, which every code page spells alike; the shell still finds
// the file, and shows its name, as it is.
std::string WideTarget(const std::string& target) {
    std::string wide = WideText(target);
    bool ascii = true;
    for (const char c : target) ascii &= static_cast<unsigned char>(c) < 0x80;
    wchar_t shortForm[MAX_PATH];
    const DWORD length = ascii ? 0 : GetShortPathNameW(WideChars(wide), shortForm, MAX_PATH);
    if (length > 0 && length < MAX_PATH) wide.assign(reinterpret_cast<const char*>(shortForm), (length + 1) * sizeof(wchar_t));
    return wide;
}

}  // namespace

// Every text goes through the wide interface, converted here: the narrow one converts with a code
// page of its own choosing, and a target named in another script then starts nothing.
Status CreateShortcut(const std::string& target, const std::string& description, const std::string& linkPath) {
    if (const Status fits = RequireFittingPath(target); !fits) return fits;
    if (const Status fits = RequireFittingPath(linkPath); !fits) return fits;
    const ComInitGuard com;
    if (!com.Succeeded())
        return Status::Failed(FormatText(TextId::ShellComponentsMissing,
                                         Quoted(linkPath).c_str()));
    ComPointer<IShellLinkW> link;
    ComPointer<IPersistFile> file;
    if (FAILED(CoCreateInstance(ids::CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, ids::IID_IShellLinkW,
                                link.Receive())) ||
        FAILED(link->QueryInterface(ids::IID_IPersistFile, file.Receive())))
        return {};
    link->SetPath(WideChars(WideTarget(target)));
    link->SetDescription(WideChars(WideText(description)));
    link->SetWorkingDirectory(WideChars(WideText(Setup.InstallFolder)));
    file->Save(WideChars(WideText(linkPath)), TRUE);
    return {};
}
