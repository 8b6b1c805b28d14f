#include "fsutil/InstallFolder.h"

#include <windows.h>

#include "base/FormatText.h"
#include "base/FullPath.h"
#include "base/PathLimit.h"
#include "base/PathQuery.h"
#include "base/QuotedText.h"
#include "base/Texts.h"
#include "base/Utf8Text.h"
#include "fsutil/FileNames.h"
#include "fsutil/FinalPath.h"
#include "fsutil/UserScope.h"
#include "setupdata/ScriptNames.h"
#include "setupdata/UnicodeProfileCopy.h"
#include "state/SetupState.h"

namespace {

constexpr const char* CheckedLogName = "earlier.ini";

// The package a log names, read from what was checked, through a copy in the working folder.
std::string PackageNamed(FolderLogCheck& check) {
    check.checkedCopy = Setup.TempDir + CheckedLogName;
    if (!WriteUnicodeProfile(check.checkedCopy, check.log.content)) return MissingValueMark;
    return ProfileFile(check.checkedCopy).ReadValue(PackageSection, PackageNameKey, MissingValueMark);
}

// The folder, or the nearest one above it that exists, when it is reached through a link; empty
// when it is not.
std::string LinkedFolderOnTheWay(const std::string& folder) {
    std::string level = folder;
    for (;;) {
        const FileHandle item = OpenToInspect(level);
        if (item.IsValid()) return ReachesAsNamed(item.Get(), level) ? std::string() : level;
        const size_t slash = level.find_last_of('\\');
        if (slash == std::string::npos || slash < 3) return {};
        level.erase(slash);
    }
}

}  // namespace

std::string CanonicalInstallFolder(const std::string& folder) {
    if (!IsFullPath(folder)) return folder;
    std::string full =
        QueryPath([&](char* buffer, DWORD size) { return GetFullPathNameA(folder.c_str(), size, buffer, nullptr); });
    if (full.empty()) return folder;
    while (full.size() > 3 && full.back() == '\\') full.pop_back();
    return full;
}

std::string InstalledLogPath(const std::string& folder) { return WithTrailingBackslash(folder) + LogFileName; }

FolderLogCheck LogAt(const std::string& installedLog) {
    FolderLogCheck check;
    if (GetFileAttributesA(installedLog.c_str()) == INVALID_FILE_ATTRIBUTES) return check;
    check.log = ReadInstalledLog(installedLog);
    check.kind = FolderLog::Other;
    if (check.log.finalPath.empty() || PackageNamed(check) != Setup.PackageName) return check;
    switch (CheckAgainstRecord(check.log)) {
        case LogTrust::Matches:
            check.kind = FolderLog::ThisPackage;
            break;
        case LogTrust::Changed:
            check.kind = FolderLog::Changed;
            break;
        case LogTrust::Unrecorded:
            check.kind = FolderLog::Unrecorded;
            break;
    }
    return check;
}

std::string InstallFolderProblem(const std::string& folder) {
    if (!IsFullPath(folder)) return QuotedIn(TextId::InstallFolderNotFull, folder);
    // The folder and its log must fit a path buffer: a cut path is not the folder the user named.
    const std::string installedLog = InstalledLogPath(folder);
    if (!FitsPathBuffer(installedLog))
        return FormatText(TextId::InstallFolderTooLong,
                          static_cast<unsigned>(CharacterCount(folder, true)),
                          static_cast<unsigned>(MaxPathLength - CharacterCount(installedLog, true) +
                                                CharacterCount(folder, true)));
    if (!InPersonsAreas(folder))
        return FormatText(TextId::ChooseAnotherFolder, NeedsAdministratorRightsText(folder).c_str());
    if (const std::string linked = LinkedFolderOnTheWay(folder); !linked.empty())
        return QuotedIn(TextId::FolderThroughLink, linked);
    const FolderLog kind = LogAt(installedLog).kind;
    if (kind == FolderLog::Other)
        return FormatText(TextId::FolderHoldsOthersLog,
                          Quoted(folder).c_str(), Setup.PackageName.c_str());
    const std::string distrust = DistrustOf(kind);
    if (distrust.empty()) return {};
    return FormatText(TextId::FolderHoldsDistrustedLog,
                      Quoted(folder).c_str(), Setup.PackageName.c_str(), distrust.c_str());
}

std::string DistrustOf(FolderLog kind) {
    switch (kind) {
        case FolderLog::Changed:
            return Text(TextId::LogWasChanged);
        case FolderLog::Unrecorded:
            return Text(TextId::LogNoInstallRecorded);
        default:
            return {};
    }
}
