#pragma once

// Folders a plan names by a macro where only the machine knows them. Besides the script's own
// macros (setupdata/MacroExpansion.h), the shell's folders that shortcuts go into, and the name
// of the log's record, which the log's final path decides.
inline constexpr const char* CommonProgramsFolder = "%%COMMONPROGRAMS%%";
inline constexpr const char* CommonStartMenuFolder = "%%COMMONSTARTMENU%%";
inline constexpr const char* CommonDesktopFolder = "%%COMMONDESKTOP%%";
inline constexpr const char* UserProgramsMenuFolder = "%%PROGRAMS%%";
inline constexpr const char* UserStartMenuFolder = "%%STARTMENU%%";
inline constexpr const char* UserDesktopFolder = "%%DESKTOP%%";
inline constexpr const char* LogRecordName = "%%LOGRECORD%%";
