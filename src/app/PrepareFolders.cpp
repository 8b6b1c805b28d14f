#include "app/PrepareFolders.h"

#include <windows.h>

#include "app/MainForm.h"
#include "app/UserScopeCheck.h"
#include "base/CurrentDirectoryGuard.h"
#include "base/FormatText.h"
#include "base/FullPath.h"
#include "base/NotFoundError.h"
#include "base/QuotedText.h"
#include "base/Texts.h"
#include "fsutil/Directories.h"
#include "setupdata/ScriptNames.h"
#include "state/RunFace.h"
#include "state/RunPlan.h"
#include "state/SetupState.h"
#include "state/UninstallLog.h"

namespace {

enum class FolderState { Entered, Missing, Problem };

// Leaves an entered folder current, as the walk expects between tests.
FolderState EnterFolder(const std::string& path) {
    if (SetCurrentDirectoryA(path.c_str())) return FolderState::Entered;
    return IsNotFoundError(GetLastError()) ? FolderState::Missing : FolderState::Problem;
}

// A folder there already is kept; a plan says so.
void KeepFound(const std::string& path) {
    NoteFoundInPlace(path);
    if (Setup.Plan) Setup.Plan->Add(PlanKind::Folder, PlanRole::Package, path, true);
}

Status MakeFolder(const std::string& path) {
    const Result<bool> made = CreateDirectoryPath(path);
    if (!made || made.Value()) return made.State();
    return Status::Fatal(QuotedIn(TextId::CouldNotCreate, path));
}

Status FitsPath(const std::string& path) {
    return FitsPathBuffer(path) ? Status() : Status::Fatal(PathTooLongText(path));
}

// A folder made without asking: entered when it is there, made when it is missing.
Status EnsureFolder(const std::string& path, const std::string& problem) {
    if (const Status fits = FitsPath(path); !fits) return fits;
    switch (EnterFolder(path)) {
        case FolderState::Entered:
            KeepFound(path);
            return {};
        case FolderState::Missing:
            return MakeFolder(path);
        case FolderState::Problem:
            break;
    }
    return Status::Fatal(problem);
}

// The [InstallFolder] entries after the first (which holds the default destination), below the install folder.
Status EnsureSubfolders() {
    EntryList list;
    Setup.InstallScript->ReadEntries(InstallFolderSection, list);
    for (size_t i = 1; i < list.Count(); ++i) {
        if (const Status made = EnsureFolder(FormatText("%s\\%s", Setup.InstallFolder.c_str(), list.Value(i).c_str()),
                                             Text(TextId::ProblemWithInstallFolder));
            !made)
            return made;
    }
    return {};
}

// The [OtherFolders] entries: full paths, taken as written; any other is refused.
Status EnsureOtherFolders() {
    EntryList list;
    Setup.InstallScript->ReadEntries(OtherFoldersSection, list);
    for (const Entry& entry : list) {
        const std::string& path = entry.value;
        const std::string problem = QuotedIn(TextId::ProblemWith, path);
        // A folder the current folder would complete is never made.
        if (!IsFullPath(path)) return Status::Fatal(problem);
        if (const Status made = EnsureFolder(path, problem); !made) return made;
    }
    return {};
}

// The install folder is made only when the user agrees; `declined` tells a refusal.
Status EnsureInstallFolder(const std::string& folder, bool& declined) {
    if (const Status fits = FitsPath(folder); !fits) return fits;
    switch (EnterFolder(folder)) {
        case FolderState::Entered:
            KeepFound(folder);
            return {};
        case FolderState::Problem:
            return Status::Fatal(QuotedIn(TextId::ProblemWithInstallFolderNamed, folder));
        case FolderState::Missing:
            break;
    }
    declined = Face().Ask(QuotedIn(TextId::FolderDoesNotExist, folder), Text(TextId::FolderDoesNotExistCaption),
                          MB_YESNO | MB_ICONQUESTION) == IDNO;
    return declined ? Status() : MakeFolder(folder);
}

}  // namespace

Result<FolderPreparation> PrepareInstallFolders() {
    CurrentDirectoryGuard restore;
    bool declined = false;
    Status prepared = Setup.UserScope ? CheckScriptOfUserScope() : Status();
    if (prepared) prepared = EnsureInstallFolder(Setup.InstallFolder, declined);
    if (declined) {
        Face().Ask(FormatText(TextId::NotCompletelyInstalled, Setup.PackageName.c_str()), Text(TextId::SetupAbortCaption),
                   MB_OK | MB_ICONERROR);
        return FolderPreparation::Declined;
    }
    if (prepared) prepared = EnsureSubfolders();
    if (prepared) prepared = EnsureOtherFolders();
    if (prepared) return FolderPreparation::Ready;
    // A folder that cannot be made ends the install in a box of its own; a log that cannot be
    // written is the caller's to report.
    if (!prepared.IsFatal()) return prepared;
    ReportFailure(prepared);
    return FolderPreparation::Failed;
}

Status TMainForm::PrepareFolders() {
    const Result<FolderPreparation> result = PrepareInstallFolders();
    if (!result || result.Value() == FolderPreparation::Ready) return result.State();
    Aborted = 1;
    if (result.Value() == FolderPreparation::Declined) Close();
    return {};
}
