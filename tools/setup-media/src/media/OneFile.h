#pragma once
#include <string>
#include <vector>

// One file of the media as a part of a one-file setup's payload.
struct PayloadPart {
    std::string name;  // its name on the media ("app.ex_", "docs\licence.txt")
    std::string content;
};

// The one-file setup of the program `setupExe` (its bytes) carrying `parts` in that order: the
// program's image without a signature it carries, the header, the payload, zeros up to a
// multiple of 8 (where a signature may go) and the checksum set. Throws BuildError when
// `setupExe` is not a Windows program or carries more than its image and a signature.
std::string MakeOneFile(const std::string& setupExe, const std::vector<PayloadPart>& parts);

// The parts of the one-file setup `file`, each checked; throws BuildError, naming `label`,
// when it is none or is damaged.
std::vector<PayloadPart> ReadOneFile(const std::string& file, const std::string& label);
