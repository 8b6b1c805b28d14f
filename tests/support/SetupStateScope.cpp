#include "support/SetupStateScope.h"

namespace {

// The plain fields a test may change; the forms and the other owned objects stay untouched.
void CopyPlainFields(const SetupState& from, SetupState& to) {
    to.IsWindowsNT = from.IsWindowsNT;
    to.UserScope = from.UserScope;
    to.Elevated = from.Elevated;
    to.RestartScheduled = from.RestartScheduled;
    to.PackageName = from.PackageName;
    to.InstallFolder = from.InstallFolder;
    to.ProgramFilesDir = from.ProgramFilesDir;
    to.CommonFilesDir = from.CommonFilesDir;
    to.WindowsDir = from.WindowsDir;
    to.SystemDir = from.SystemDir;
    to.TempDir = from.TempDir;
    to.DirEntryCount = from.DirEntryCount;
    to.KeyEntryCount = from.KeyEntryCount;
    to.FileEntryCount = from.FileEntryCount;
    to.FoundInPlace = from.FoundInPlace;
    to.InstallCompleted = from.InstallCompleted;
}

}  // namespace

SetupStateScope::SetupStateScope() {
    CopyPlainFields(Setup, saved_);
    saved_.UninstallLog = std::move(Setup.UninstallLog);
}

SetupStateScope::~SetupStateScope() {
    CopyPlainFields(saved_, Setup);
    Setup.UninstallLog = std::move(saved_.UninstallLog);
}

void SetupStateScope::OpenUninstallLog(const std::string& path) {
    Setup.UninstallLog = std::make_unique<ProfileFile>(path);
    Setup.DirEntryCount = 0;
    Setup.KeyEntryCount = 0;
    Setup.FileEntryCount = 0;
    Setup.FoundInPlace.clear();
}

std::vector<std::string> UninstallLogLines(const std::string& section) {
    EntryList list;
    Setup.UninstallLog->ReadEntries(section.c_str(), list);
    std::vector<std::string> lines;
    for (size_t i = 0; i < list.Count(); ++i) lines.push_back(list.Line(i));
    return lines;
}
