#pragma once
#include <string>

// A package's entry in the platform's list of installed programs and whose it is. The entry
// records, in its uninstall command, the log of the install it belongs to: a reinstall of the
// package takes it over, and an uninstall removes it only while it still names its own log.

// Where the install leaves its copy of the setup program: the Windows folder's qupsetup.exe, or,
// for a package of the user alone, qupsetup\qupsetup.exe in the user's Local AppData.
std::string SetupProgramCopyPath();
// The key of the package's entry below the machine root: "\Software\...\Uninstall\<name>".
std::string EntryKeyPath(const std::string& packageName);
// The program copy, quoted, then the argument text, which is taken verbatim and so is not quoted.
std::string EntryCommandLine(const std::string& arguments);

enum class EntryOwner {
    None,          // there is no such key
    ThisLog,       // ours, naming the log `ownLog`
    AnotherLog,    // ours, naming the log of another install of the package
    OtherProduct,  // not made by this program: never changed
};
EntryOwner OwnerOfEntry(const std::string& keyPath, const std::string& ownLog);
// The log the entry at `keyPath` names when the entry is ours; empty otherwise.
std::string EntryLogPath(const std::string& keyPath);

// True when the logged key text names the package's entry and that entry now belongs to
// another install or another product: the uninstall leaves it.
bool IsEntryOfAnotherInstall(const std::string& keyText);

// Whether an entry in the list of installed programs, but the one named `besides`, still starts the
// uninstall program copy.
bool AnEntryRunsTheProgramCopy(const char* besides = "");

// An install replaces the entry an earlier install of the package made; undoing a failed install
// puts that one back. Keeps the values of the entry at `keyPath` (nothing when there is none).
void KeepEarlierEntry(const std::string& keyPath);
// Writes the kept entry back, after the failed install's own entry was removed.
void PutBackEarlierEntry();
