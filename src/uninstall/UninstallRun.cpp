#include <windows.h>

#include <optional>
#include <string>

#include "base/FormatText.h"
#include "fsutil/DeleteOrSchedule.h"
#include "fsutil/FileNames.h"
#include "fsutil/FileTransfer.h"
#include "setupdata/RegistryKeyText.h"
#include "setupdata/ScriptNames.h"
#include "state/SetupState.h"
#include "uninstall/KeyPath.h"
#include "uninstall/UninstallForm.h"

namespace {

EntryList ReadLogSection(const char* section) {
    EntryList entries;
    Setup.UninstallLog->ReadEntries(section, entries);
    return entries;
}

// Each shown phase fills at most half the bar; 51 entries or more leave it standing.
void SetPhaseStep(ProgressBar& bar, size_t count) {
    if (count > 0) bar.SetStep(static_cast<int>(50.0 / static_cast<double>(count)));
}

void ShowHandledEntry(TUninstallForm& form, const std::string& text) {
    form.UCurrentFile.SetCaption(DisplayText(text));
    form.UCurrentFile.Update();
    form.ProgressBar1.StepIt();
}

// Handles every entry of a section first to last, showing each and advancing the bar.
template <class HandleEntry>
void RunShownPhase(TUninstallForm& form, const char* section, HandleEntry handleEntry) {
    const EntryList entries = ReadLogSection(section);
    SetPhaseStep(form.ProgressBar1, entries.Count());
    for (const Entry& entry : entries) {
        // A value longer than a path buffer is passed over: a cut one would name, and delete, something else.
        if (FitsPathBuffer(entry.value)) handleEntry(entry.value);
        ShowHandledEntry(form, entry.value);
    }
}

// Only the four roots the uninstall knows, compared exactly: a key under any other root name
// stays, and a root itself is never deleted. One attempt, whatever the result.
void DeleteLoggedKey(const std::string& text) {
    const std::optional<KeyPath> key = SplitKeyPath(text);
    if (!key || key->keyPath.empty()) return;
    if (const std::optional<HKEY> root = UninstallRootKey(key->rootName))
        RegDeleteKeyA(*root, key->keyPath.c_str());
}

void ShowCompleted(TUninstallForm& form) {
    form.UCurrentFile.SetCaption("");
    form.ProgressBar1.SetPosition(ProgressBar::Maximum);
    form.Button1.SetCaption("OK");
    form.UProgramName.SetCaption(FormatText("%s Successfully Uninstalled", Setup.PackageName.c_str()));
    form.SetCaption(FormatText("     Uninstalling %s - Complete", Setup.PackageName.c_str()));
    form.Update();
}

}  // namespace

void UninstallFiles(TUninstallForm& form) {
    RunShownPhase(form, LogProgramFilesSection, DeleteFileOrSchedule);
}

void UninstallRegistryKeys(TUninstallForm& form) { RunShownPhase(form, RegistryKeysSection, DeleteLoggedKey); }

void UninstallDirectories(TUninstallForm&) {
    const EntryList entries = ReadLogSection(DirectoriesSection);
    // Parents were logged before their children, so the last entry is the innermost.
    for (size_t i = entries.Count(); i > 0; --i) {
        const std::string& path = entries.Value(i - 1);
        if (FitsPathBuffer(path)) RemoveDirectoryOrSchedule(path);
    }
}

void TUninstallForm::FormActivate() {
    UProgramName.SetCaption(FormatText("Deleting %s Support Files:", Setup.PackageName.c_str()));
    SetCaption(FormatText("     Uninstalling %s...", Setup.PackageName.c_str()));
    Update();
    UninstallFiles(*this);
    // The last file shown stays until the first key replaces it.
    UProgramName.SetCaption(FormatText("Deleting %s Registry Entries:", Setup.PackageName.c_str()));
    UProgramName.Update();
    UninstallRegistryKeys(*this);
    // The installed log lives in the install folder, which can only go once the log is gone.
    DeleteFileA(Setup.CommandLine.c_str());
    UninstallDirectories(*this);
    DeleteTempFile(LogFileName);
    ShowCompleted(*this);
}
