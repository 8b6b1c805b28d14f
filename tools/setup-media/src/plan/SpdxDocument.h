#pragma once
#include <string>

#include "plan/InstallPlan.h"

// A bill of materials of what the install of a package brings, as an SPDX 2.3 JSON document:
// the package (its name, version and publisher as the supplier), every file it installs under
// its name as installed, with SHA-1 (which SPDX asks for on every file) and SHA-256, and the
// setup program as a component of its own, which the install leaves as the uninstall program.

struct SpdxCreation {
    std::string created;  // "2024-05-01T12:00:00Z"
    std::string tool;     // "setup-media-1.0.0"
};

// `plan` names the files as installed, with their content; its install folder makes the names of
// the files inside it relative ("./Samples/first.txt").
std::string SpdxDocument(const InstallPlan& plan, const std::optional<FileFacts>& setupProgram,
                         const SpdxCreation& creation);

// SPDX's package verification code: the SHA-1 of the files' SHA-1 digests, sorted and joined.
std::string PackageVerificationCode(std::vector<std::string> fileSha1s);

// The time as SPDX writes it: SOURCE_DATE_EPOCH when set (so that a build can be repeated
// byte for byte), else now.
std::string SpdxCreationTime();
