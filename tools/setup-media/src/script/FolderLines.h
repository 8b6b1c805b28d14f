#pragma once
#include "script/Finding.h"
#include "script/PackageFolder.h"
#include "script/ProfileText.h"

// Folder lines: a destination in a disk section that ends in "\*" stands for every file of the
// package's folder it names below its root (PackageFolder.h), "\**" for every file of that
// folder and its subfolders, which setup must make first: under %%INSTALLPATH%% they join
// [InstallFolder], under a folder written out in full [OtherFolders], the folder itself first,
// each before its subfolders. setup-media writes them out as the lines setup has always read,
// folder by folder, each folder's files before its subfolders, in the order of their names.

// True for a destination that ends in "\*" or "\**".
bool IsFolderLine(const std::string& destination);

struct WrittenOut {
    ProfileText script;  // each written line stands for the folder line it came from
    Findings findings;   // of the folder lines, at their lines
};

// `script` with its folder lines written out from `package`; `script` itself when it has none.
WrittenOut WriteOutFolderLines(const ProfileText& script, const PackageFolder& package);
