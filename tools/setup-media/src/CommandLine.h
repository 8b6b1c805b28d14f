#pragma once
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "media/MediaBuild.h"
#include "media/WingetManifest.h"
#include "plan/PlanCommand.h"

// A command line that cannot be run, with the reason in one line.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct CheckOptions {
    std::filesystem::path script;
    std::optional<std::filesystem::path> media;
    ScriptEncoding scriptEncoding;
    bool strict = false;  // warnings are errors
};

struct UnpackOptions {
    std::filesystem::path oneFile;
    std::filesystem::path out;
    bool force = false;
};

struct CommandLine {
    enum class Action { Help, Version, Build, Check, Unpack, Manifest, Plan, Sbom };
    Action action = Action::Help;
    BuildOptions build;
    CheckOptions check;
    UnpackOptions unpack;
    ManifestOptions manifest;
    PlanOptions plan;
    SbomOptions sbom;
};

// `arguments` without the program's name. Throws UsageError.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The text --help prints.
std::string UsageText();
