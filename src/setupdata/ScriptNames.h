#pragma once
#include <string>

// Section and key names of the setup script (install.ini) and the uninstall log (uninstal.ini).
// Profile files match them without regard to case; these are the spellings the files use.

// The run's two files: on the media, in the Temp directory and in the install folder.
inline constexpr const char* ScriptFileName = "install.ini";
inline constexpr const char* LogFileName = "uninstal.ini";
// The program on the media, and its copy in the Windows folder that later uninstalls start.
inline constexpr const char* SetupProgramName = "setup.exe";
inline constexpr const char* SetupProgramCopyName = "qupsetup.exe";

// Setup script
inline constexpr const char* PackageSection = "Package";
inline constexpr const char* PackageNameKey = "name";
// "yes", exactly, asks for an entry in the platform's list of installed programs.
inline constexpr const char* UninstallEntryKey = "uninstallentry";
inline constexpr const char* UninstallEntryWanted = "yes";
// Optional: the package's version (digits and dots, "2.4.1") and maker, for that entry.
inline constexpr const char* PackageVersionKey = "version";
inline constexpr const char* PublisherKey = "publisher";
// Optional: the program the windows offer to start as the install ends, named as a shortcut's
// target is ("[ProgramFiles01]file1"), and its arguments.
inline constexpr const char* RunKey = "run";
inline constexpr const char* RunArgumentsKey = "runargs";
// "user" (any case) for a package installed for the user who runs setup alone; anything else, or
// nothing, for one installed for every user of the machine. The log keeps it.
inline constexpr const char* ScopeKey = "scope";
inline constexpr const char* UserScopeValue = "user";
inline constexpr const char* MachineScopeValue = "machine";
inline constexpr const char* LicenceSection = "Licence";
inline constexpr const char* LicenceKey = "licence";
// Compared exactly: "None" names a licence file.
inline constexpr const char* NoLicenceValue = "none";
inline constexpr const char* DefaultLicenceFile = "licence.txt";
inline constexpr const char* InstallFolderSection = "InstallFolder";
inline constexpr const char* InstallFolderKey = "install";
inline constexpr const char* OtherFoldersSection = "OtherFolders";
inline constexpr const char* DisksSection = "Disks";
inline constexpr const char* DiskCountKey = "n";
inline constexpr const char* RegistryKeysSection = "RegistryKeys";
inline constexpr const char* KeyValuesSection = "KeyValues";
inline constexpr const char* GroupSection = "Group";
inline constexpr const char* GroupKey = "group";
inline constexpr const char* IconsSection = "Icons";
inline constexpr const char* StartButtonSection = "StartButton";
inline constexpr const char* DesktopSection = "Desktop";

// The program files of one disk: "ProgramFiles01" for disk 1 (three digits above 99).
std::string ProgramFilesSection(int disk);
// Media only: the names under which some of those files lie on the media, by their keys there
// ("MediaNames01" for disk 1); a file not named there lies under its own name.
std::string MediaNamesSection(int disk);

// Uninstall log; it shares [Package] name and [RegistryKeys] with the script's spelling.
inline constexpr const char* DirectoriesSection = "Directories";
// The language of the install, which its uninstall speaks: [Package] language, its file tag, and
// [Package] texts, the language file's lines joined by tabs. Earlier versions read neither.
inline constexpr const char* LanguageKey = "language";
inline constexpr const char* LogTextsKey = "texts";
inline constexpr const char* LogProgramFilesSection = "ProgramFiles";
// The media's records of their files, and the log's of the installed files (fsutil/FileDigestRecord.h).
inline constexpr const char* FileDigestsSection = "FileDigests";
// Entries are numbered from 1 in each section: dir1, file1, key1, ...
inline constexpr const char* DirectoryKeyPrefix = "dir";
inline constexpr const char* FileKeyPrefix = "file";
inline constexpr const char* RegistryKeyPrefix = "key";
