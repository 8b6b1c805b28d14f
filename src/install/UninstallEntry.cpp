#include <windows.h>

#include "base/FormatText.h"
#include "base/OwnedHandle.h"
#include "base/QuotedText.h"
#include "fsutil/InstallFolder.h"
#include "fsutil/ProgramsListEntry.h"
#include "fsutil/UserScope.h"
#include "install/InstallRun.h"
#include "setupdata/RegistryKeyText.h"
#include "setupdata/ScriptNames.h"
#include "state/RunFace.h"
#include "state/RunPlan.h"
#include "state/SetupState.h"
#include "state/UninstallLog.h"
#include "toolkit/Application.h"

namespace {

// What the logged program files take on the disk, in kilobytes, as a search of each reports it.
DWORD InstalledKilobytes() {
    EntryList files;
    Setup.UninstallLog->ReadEntries(LogProgramFilesSection, files);
    unsigned long long bytes = 0;
    for (const Entry& file : files) {
        WIN32_FIND_DATAA data;
        if (FindHandle(FindFirstFileA(file.value.c_str(), &data)).IsValid())
            bytes += static_cast<unsigned long long>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    }
    return static_cast<DWORD>((bytes + 1023) / 1024);
}

// The number that starts at `at` in a version text, and `at` moved past it and its dot.
int32_t VersionPart(const std::string& version, size_t& at) {
    int32_t part = 0;
    for (; at < version.size() && version[at] >= '0' && version[at] <= '9' && part < 100000000; ++at)
        part = part * 10 + (version[at] - '0');
    if (at < version.size() && version[at] == '.') ++at;
    return part;
}

std::string Today() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return FormatText("%04u%02u%02u", now.wYear, now.wMonth, now.wDay);
}

void Warn(const std::string& text) { Face().Ask(text, Application::Instance().Title().c_str(), MB_OK | MB_ICONWARNING); }

// The key made afresh when it is not there, or when it is this package's from an earlier
// install, so no value of that install stays behind; false when it cannot be opened.
bool OpenEntryKey(RegistryAccess& registry, const std::string& path, EntryOwner owner) {
    KeepEarlierEntry(owner == EntryOwner::None ? std::string() : path);
    if (owner != EntryOwner::None) RegDeleteKeyA(ScopeRoot(), path.c_str() + 1);
    return registry.OpenKey(path.c_str(), true);
}

}  // namespace

Status InstallRun::WriteUninstallEntry() {
    const ProfileFile& script = *Setup.InstallScript;
    if (script.ReadValue(PackageSection, UninstallEntryKey, "") != UninstallEntryWanted) return {};
    const char* package = Setup.PackageName.c_str();
    if (!programCopied_) {
        Warn(FormatText(TextId::NoCopyNoEntry, Quoted(SetupProgramCopyPath()).c_str(), package));
        return {};
    }
    const std::string path = EntryKeyPath(Setup.PackageName);
    const std::string installedLog = InstalledLogPath(Setup.InstallFolder);
    const EntryOwner owner = OwnerOfEntry(path, installedLog);
    if (owner == EntryOwner::OtherProduct) {
        Warn(FormatText(TextId::OthersEntry, Quoted(Setup.PackageName).c_str(), package));
        return {};
    }
    RegistryAccess& registry = *Setup.Registry;
    registry.SetRootKey(ScopeRoot());
    const std::string keyText = ScopeRootName() + path;
    if (Setup.Plan) {
        Setup.Plan->Add(PlanKind::Key, PlanRole::Entry, keyText, owner != EntryOwner::None);
    } else if (!OpenEntryKey(registry, path, owner)) {
        FailRun(FormatText(TextId::ErrorCreatingKeyBelow, ScopeRootName(), path.c_str()));
        return {};
    }
    // Logged even when an earlier install of the package made it: the entry is this install's now.
    Status written = LogRegistryKey(keyText);
    const Result<std::string> icon = FirstShortcutTarget();
    if (written) written = icon.State();
    // The values in this order, up to the first that fails.
    const auto text = [&](const char* name, const std::string& value) {
        if (written) written = PutString(PlanRole::Entry, keyText, name, value);
    };
    const auto number = [&](const char* name, int32_t value) {
        if (written) written = PutInteger(PlanRole::Entry, keyText, name, value);
    };
    const std::string version = script.ReadValue(PackageSection, PackageVersionKey, "");
    const std::string publisher = script.ReadValue(PackageSection, PublisherKey, "");
    text("DisplayName", Setup.PackageName);
    if (!version.empty()) {
        size_t at = 0;
        text("DisplayVersion", version);
        number("VersionMajor", VersionPart(version, at));
        number("VersionMinor", VersionPart(version, at));
    }
    if (!publisher.empty()) text("Publisher", publisher);
    text("DisplayIcon", icon.Value().empty() ? SetupProgramCopyPath() : icon.Value());
    text("UninstallString", EntryCommandLine(installedLog));
    text("QuietUninstallString", EntryCommandLine("/S " + installedLog));
    text("InstallLocation", Setup.InstallFolder);
    text("InstallDate", Today());
    // A plan has installed nothing to measure: the size of what it would install.
    number("EstimatedSize", static_cast<int32_t>(Setup.Plan ? (Setup.Plan->installedBytes + 1023) / 1024 : InstalledKilobytes()));
    number("NoModify", 1);
    number("NoRepair", 1);
    registry.CloseKey();
    return written;
}
