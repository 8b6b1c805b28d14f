#pragma once
#include <filesystem>
#include <ostream>
#include <string>

struct ManifestOptions {
    std::filesystem::path oneFile;
    std::string id;   // Publisher.Package
    std::string url;  // where the one-file setup is downloaded from
    std::filesystem::path out;
    std::string license;      // setup-media's default, "Proprietary", when empty
    std::string description;  // the package name when empty
};

// Writes the winget manifest set (schema 1.10.0) of a one-file setup into `out`: the version,
// installer and default-locale manifests, named as winget's repository names them. Name,
// version and publisher come from the carried script, which must ask for an entry in the list of
// installed programs; the licence from `license`, and a comment beside it says which. Throws
// BuildError, also for an id that is not of winget's form Publisher.Package.
void WriteWingetManifest(const ManifestOptions& options, std::ostream& report);
