#include "plan/SpdxDocument.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>

#include "base/ContentDigest.h"
#include "common/JsonText.h"
#include "common/LetterCase.h"
#include "common/Sha1.h"

namespace {

constexpr const char* PackageId = "SPDXRef-Package";
constexpr const char* SetupProgramId = "SPDXRef-SetupProgram";
constexpr const char* NoAssertion = "NOASSERTION";
constexpr const char* NamespaceBase = "https://spdx.org/spdxdocs/";

std::string Object(const std::vector<std::string>& members, const std::string& indent) {
    std::string text = "{";
    for (size_t i = 0; i < members.size(); ++i) text += (i ? ",\n" : "\n") + indent + "  " + members[i];
    return text + "\n" + indent + "}";
}

std::string Array(const std::vector<std::string>& items, const std::string& indent) {
    std::string text = "[";
    for (size_t i = 0; i < items.size(); ++i) text += (i ? ",\n" : "\n") + indent + "  " + items[i];
    return text + "\n" + indent + "]";
}

std::string Checksums(const FileFacts& facts, const std::string& indent) {
    const auto checksum = [](const char* algorithm, const std::string& value) {
        return "{" + JsonMember("algorithm", JsonString(algorithm)) + ", " + JsonMember("checksumValue", JsonString(value)) + "}";
    };
    return Array({checksum("SHA1", facts.sha1), checksum("SHA256", facts.sha256)}, indent);
}

std::string Relationship(const std::string& from, const char* type, const std::string& to) {
    return "{" + JsonMember("spdxElementId", JsonString(from)) + ", " + JsonMember("relationshipType", JsonString(type)) +
           ", " + JsonMember("relatedSpdxElement", JsonString(to)) + "}";
}

// A file's name as SPDX writes it: relative to the install folder when it lies inside it, with
// "/" between folders; else as the plan names it.
std::string SpdxFileName(const std::string& path, const std::string& installFolder) {
    const std::string prefix = installFolder.ends_with('\\') ? installFolder : installFolder + "\\";
    if (path.size() <= prefix.size() || !EqualIgnoringCase(path.substr(0, prefix.size()), prefix)) return path;
    std::string relative = "./" + path.substr(prefix.size());
    std::replace(relative.begin(), relative.end(), '\\', '/');
    return relative;
}

// Letters, digits, "." and "-" of `text`, anything else as "-", for a URI.
std::string UriWord(const std::string& text) {
    std::string word;
    for (const char c : text) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-';
        word += plain ? c : '-';
    }
    return word;
}

// A name-based UUID (version 8, RFC 9562) from the digest of `content`.
std::string UuidOf(const std::string& content) {
    std::string hex = ContentDigest(content).substr(0, 32);
    hex[12] = '8';
    hex[16] = "89ab"[hex[16] % 4];
    return hex.substr(0, 8) + "-" + hex.substr(8, 4) + "-" + hex.substr(12, 4) + "-" + hex.substr(16, 4) + "-" +
           hex.substr(20);
}

struct Described {
    std::vector<std::string> files;
    std::vector<std::string> relationships;
    std::vector<std::string> sha1s;
};

Described DescribeFiles(const InstallPlan& plan) {
    Described described;
    described.relationships.push_back(Relationship("SPDXRef-DOCUMENT", "DESCRIBES", PackageId));
    for (const PlanAction& action : plan.actions) {
        if (action.kind != ActionKind::File || action.role != ActionRole::Package || !action.content) continue;
        const std::string id = "SPDXRef-File-" + std::to_string(described.files.size() + 1);
        described.files.push_back(Object({JsonMember("SPDXID", JsonString(id)),
                                          JsonMember("fileName", JsonString(SpdxFileName(action.path, plan.installFolder))),
                                          JsonMember("checksums", Checksums(*action.content, "      ")),
                                          JsonMember("licenseConcluded", JsonString(NoAssertion)),
                                          JsonMember("copyrightText", JsonString(NoAssertion)),
                                          JsonMember("comment", JsonString("Installed as " + action.path))},
                                         "    "));
        described.relationships.push_back(Relationship(PackageId, "CONTAINS", id));
        described.sha1s.push_back(action.content->sha1);
    }
    return described;
}

std::string PackageObject(const InstallPlan& plan, const std::vector<std::string>& sha1s) {
    std::vector<std::string> members = {JsonMember("SPDXID", JsonString(PackageId)),
                                        JsonMember("name", JsonString(plan.package))};
    if (!plan.version.empty()) members.push_back(JsonMember("versionInfo", JsonString(plan.version)));
    members.push_back(JsonMember(
        "supplier", JsonString(plan.publisher.empty() ? NoAssertion : "Organization: " + plan.publisher)));
    members.push_back(JsonMember("downloadLocation", JsonString(NoAssertion)));
    members.push_back(JsonMember("filesAnalyzed", "true"));
    members.push_back(JsonMember(
        "packageVerificationCode",
        "{" + JsonMember("packageVerificationCodeValue", JsonString(PackageVerificationCode(sha1s))) + "}"));
    members.push_back(JsonMember("licenseConcluded", JsonString(NoAssertion)));
    members.push_back(JsonMember("licenseDeclared", JsonString(NoAssertion)));
    members.push_back(JsonMember("copyrightText", JsonString(NoAssertion)));
    members.push_back(JsonMember("primaryPackagePurpose", JsonString("APPLICATION")));
    return Object(members, "    ");
}

std::string SetupProgramObject(const FileFacts& program) {
    return Object({JsonMember("SPDXID", JsonString(SetupProgramId)), JsonMember("name", JsonString("setup.exe")),
                   JsonMember("supplier", JsonString(NoAssertion)), JsonMember("downloadLocation", JsonString(NoAssertion)), JsonMember("filesAnalyzed", "false"),
                   JsonMember("checksums", Checksums(program, "      ")),
                   JsonMember("licenseConcluded", JsonString(NoAssertion)),
                   JsonMember("licenseDeclared", JsonString(NoAssertion)),
                   JsonMember("copyrightText", JsonString(NoAssertion)),
                   JsonMember("primaryPackagePurpose", JsonString("INSTALL")),
                   JsonMember("comment", JsonString("The setup program as given to the build (" +
                                                    std::to_string(program.size) +
                                                    " bytes); the install leaves it as the uninstall program qupsetup.exe"))},
                  "    ");
}

}  // namespace

std::string PackageVerificationCode(std::vector<std::string> fileSha1s) {
    std::sort(fileSha1s.begin(), fileSha1s.end());
    Sha1 code;
    for (const std::string& sha1 : fileSha1s) code.Add(sha1);
    return code.Finish();
}

std::string SpdxCreationTime() {
    const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
    const std::time_t when = epoch && *epoch ? static_cast<std::time_t>(std::strtoll(epoch, nullptr, 10)) : std::time(nullptr);
    char text[32] = {};
    if (const std::tm* utc = std::gmtime(&when)) std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", utc);
    return text;
}

std::string SpdxDocument(const InstallPlan& plan, const std::optional<FileFacts>& setupProgram,
                         const SpdxCreation& creation) {
    Described described = DescribeFiles(plan);
    std::vector<std::string> packages = {PackageObject(plan, described.sha1s)};
    if (setupProgram) {
        packages.push_back(SetupProgramObject(*setupProgram));
        described.relationships.push_back(Relationship(PackageId, "CONTAINS", SetupProgramId));
    }
    const std::string name = plan.package + (plan.version.empty() ? "" : " " + plan.version);
    const std::string body =
        JsonMember("creationInfo", "{" + JsonMember("created", JsonString(creation.created)) + ", " +
                                       JsonMember("creators", "[" + JsonString("Tool: " + creation.tool) + "]") + "}") +
        ",\n  " + JsonMember("packages", Array(packages, "  ")) + ",\n  " + JsonMember("files", Array(described.files, "  ")) +
        ",\n  " + JsonMember("relationships", Array(described.relationships, "  "));
    // Named after what it says: the same document has the same namespace, any other another one.
    const std::string documentNamespace = NamespaceBase + UriWord(name) + "-" + UuidOf(name + "\n" + body);
    return Object({JsonMember("spdxVersion", JsonString("SPDX-2.3")), JsonMember("dataLicense", JsonString("CC0-1.0")),
                   JsonMember("SPDXID", JsonString("SPDXRef-DOCUMENT")), JsonMember("name", JsonString(name)),
                   JsonMember("documentNamespace", JsonString(documentNamespace)), body},
                  "") +
           "\n";
}
