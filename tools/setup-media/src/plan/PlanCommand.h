#pragma once
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "common/TextEncoding.h"
#include "script/SetupScript.h"

// The two commands that tell what an install brings before it runs: its plan and its bill of
// materials. Both read and check the package as a build or an install would, and change nothing
// but their own output.

struct PlanOptions {
    std::filesystem::path input;  // a package folder, built media or a one-file setup
    std::optional<std::string> installFolder;  // --dest: a full Windows path
    std::optional<PackageScope> scope;         // --scope: instead of the script's own
    bool json = false;
    std::optional<std::filesystem::path> setupExe;  // a package folder's setup program
    ScriptEncoding scriptEncoding;
};

struct SbomOptions {
    std::filesystem::path input;  // a package folder or a one-file setup
    std::filesystem::path out;
    std::optional<std::filesystem::path> setupExe;
    ScriptEncoding scriptEncoding;
};

// Writes the plan to `out`; the script's findings go to `notes`. Throws BuildError when the
// package cannot be read, is damaged, or its script has errors.
void WriteInstallPlan(const PlanOptions& options, std::ostream& out, std::ostream& notes);

// Writes the SPDX document to options.out and a line about it to `report`. Throws BuildError.
void WriteBillOfMaterials(const SbomOptions& options, std::ostream& report, std::ostream& notes);
