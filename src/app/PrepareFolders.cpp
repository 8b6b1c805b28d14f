#include "app/PrepareFolders.h"

#include <windows.h>

#include <optional>

#include "app/MainForm.h"
#include "base/CurrentDirectoryGuard.h"
#include "base/FormatText.h"
#include "base/FullPath.h"
#include "base/NotFoundError.h"
#include "base/QuotedText.h"
#include "fsutil/Directories.h"
#include "setupdata/ScriptNames.h"
#include "state/RunFace.h"
#include "state/SetupState.h"

namespace {

enum class FolderState { Entered, Missing, Problem };

// Leaves an entered folder current, as the walk expects between tests.
FolderState EnterFolder(const std::string& path) {
    if (SetCurrentDirectoryA(path.c_str())) return FolderState::Entered;
    return IsNotFoundError(GetLastError()) ? FolderState::Missing : FolderState::Problem;
}

// The text of the box that ends the install, or nothing when the folder is there now.
using Failure = std::optional<std::string>;

Failure MakeFolder(const std::string& path) {
    if (CreateDirectoryPath(path)) return std::nullopt;
    return FormatText("Could not create %s", Quoted(path).c_str());
}

Failure TooLong(const std::string& path) {
    if (FitsPathBuffer(path)) return std::nullopt;
    return PathTooLongText(path);
}

// A folder made without asking: entered when it is there, made when it is missing.
Failure EnsureFolder(const std::string& path, const std::string& problem) {
    if (Failure failure = TooLong(path)) return failure;
    switch (EnterFolder(path)) {
        case FolderState::Entered:
            return std::nullopt;
        case FolderState::Missing:
            return MakeFolder(path);
        case FolderState::Problem:
            break;
    }
    return problem;
}

// The [InstallFolder] entries after the first (which holds the default destination), below the install folder.
Failure EnsureSubfolders() {
    EntryList list;
    Setup.InstallScript->ReadEntries(InstallFolderSection, list);
    for (size_t i = 1; i < list.Count(); ++i) {
        if (Failure failure = EnsureFolder(Setup.InstallFolder + "\\" + list.Value(i), "Problem with Install Folder"))
            return failure;
    }
    return std::nullopt;
}

// The [OtherFolders] entries: full paths, taken as written; any other is refused.
Failure EnsureOtherFolders() {
    EntryList list;
    Setup.InstallScript->ReadEntries(OtherFoldersSection, list);
    for (const Entry& entry : list) {
        const std::string& path = entry.value;
        const std::string problem = FormatText("Problem with %s", Quoted(path).c_str());
        // A folder the current folder would complete is never made.
        if (!IsFullPath(path)) return problem;
        if (Failure failure = EnsureFolder(path, problem)) return failure;
    }
    return std::nullopt;
}

// The install folder is made only when the user agrees; `declined` tells a refusal.
Failure EnsureInstallFolder(const std::string& folder, bool& declined) {
    if (Failure failure = TooLong(folder)) return failure;
    switch (EnterFolder(folder)) {
        case FolderState::Entered:
            return std::nullopt;
        case FolderState::Problem:
            return "Problem with Install Folder";
        case FolderState::Missing:
            break;
    }
    declined = Face().Ask(FormatText("Folder %s does not exist.\nDo you wish to create it ?", Quoted(folder).c_str()),
                   "Folder Does Not Exist", MB_YESNO | MB_ICONQUESTION) == IDNO;
    return declined ? std::nullopt : MakeFolder(folder);
}

}  // namespace

FolderPreparation PrepareInstallFolders() {
    CurrentDirectoryGuard restoreMedia;
    bool declined = false;
    Failure failure = EnsureInstallFolder(Setup.InstallFolder, declined);
    if (declined) {
        Face().Ask(FormatText("%s was not completely installed !", Setup.PackageName.c_str()), "Setup Abort",
                   MB_OK | MB_ICONERROR);
        return FolderPreparation::Declined;
    }
    if (!failure) failure = EnsureSubfolders();
    if (!failure) failure = EnsureOtherFolders();
    if (!failure) return FolderPreparation::Ready;
    Face().Ask(*failure, "Fatal Error", MB_OK | MB_ICONERROR);
    return FolderPreparation::Failed;
}

void TMainForm::PrepareFolders() {
    const FolderPreparation result = PrepareInstallFolders();
    if (result == FolderPreparation::Ready) return;
    Aborted = 1;
    if (result == FolderPreparation::Declined) Close();
}
