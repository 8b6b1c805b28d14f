#pragma once

// Keys of the platform's own that setup reads, as paths below a root key with a leading
// backslash (as RegistryAccess takes them); one character on, as the platform's calls take them.
inline constexpr char VersionKey[] = "\\Software\\Microsoft\\Windows\\CurrentVersion";
inline constexpr char NtVersionKey[] = "\\Software\\Microsoft\\Windows NT\\CurrentVersion";
inline constexpr char ShellFoldersKey[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr char ProfileListKey[] = "\\Software\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
