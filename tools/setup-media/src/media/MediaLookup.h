#pragma once
#include <filesystem>
#include <functional>
#include <string>

// Whether built media hold a file: `media` is a folder of disk folders (disk01, disk02, ...),
// a folder holding every disk at once, or a one-file setup, which holds every disk and is read
// whole (and checked) here, without writing anything. Throws BuildError for a damaged one-file
// setup.
std::function<bool(int disk, const std::string& name)> MediaLookup(const std::filesystem::path& media);
