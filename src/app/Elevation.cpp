#include "app/Elevation.h"

#include <shellapi.h>

#include "base/FormatText.h"
#include "base/OwnedHandle.h"

#include "base/Texts.h"
#include "fsutil/MediaFolder.h"
#include "fsutil/WorkFolder.h"

namespace {

Elevation platform;
Elevation* current = &platform;

}  // namespace

bool Elevation::Elevated() { return RunsAsAdministrator(); }

Result<DWORD> Elevation::RunElevated(const std::string& arguments) {
    const std::string program = ProgramPath();
    SHELLEXECUTEINFOA execute{};
    execute.cbSize = sizeof execute;
    execute.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC;
    execute.lpVerb = "runas";
    execute.lpFile = program.c_str();
    execute.lpParameters = arguments.c_str();
    execute.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&execute) || !execute.hProcess)
        return Status::Failed(Text(TextId::ElevationNotStarted), GetLastError());
    const KernelObject process(execute.hProcess);
    DWORD code = 0;
    WaitForSingleObject(process.Get(), INFINITE);
    if (!GetExitCodeProcess(process.Get(), &code)) return Status::Failed(Text(TextId::ElevationUntold));
    return code;
}

Elevation& Elevation::Current() { return *current; }

void Elevation::Replace(Elevation* seam) { current = seam ? seam : &platform; }

std::string NeedsAdministratorText(const std::string& name, bool uninstall) {
    return FormatText(uninstall ? TextId::NeedsAdministratorToUninstall : TextId::NeedsAdministratorToInstall,
                      name.c_str());
}
