#pragma once
#include <string>

// The text after the last "\" or ":" of `path`; the whole path when it has neither. The first
// character is never taken as a separator, so "\tool.exe" stays whole.
std::string FileNamePart(const std::string& path);

// The folder `path` names a file or folder in: everything before its last "\".
std::string FolderPart(const std::string& path);

// The name under which the compressed form of the file `name` lies on the media:
// setup.exe -> setup.ex_, data.db -> data.db_, readme -> readme._, a.b.c -> a.b._
std::string CompressedFileName(const std::string& name);

// The first `keep` characters of `text` followed by "...".
std::string TruncateWithDots(const std::string& text, size_t keep);

// A path or key as the progress windows show it: at most 54 characters, a longer one cut to
// its first 51 and "...".
std::string DisplayText(const std::string& text);

// `path` with a "\" appended unless it already ends in one (an empty path gets one too).
std::string WithTrailingBackslash(std::string path);
