#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "common/TextEncoding.h"
#include "script/Finding.h"
#include "script/ProfileText.h"
#include "script/SetupScript.h"

// A file as an install would leave it: its content's size and digests.
struct FileFacts {
    uint64_t size = 0;
    std::string sha256;
    std::string sha1;
};

// What an install of a package reads: its script as the media carry it, each file of each disk as
// installed (uncompressed), and the setup program, from any of the three forms a package takes.
// Reads without writing anything.
class PackageContent {
public:
    // `input` is a package folder, built folder media (the folder of the disk folders, or one
    // holding setup.exe and every disk) or a one-file setup. `setupExe` gives the setup program
    // of a package folder; media and one-file setups carry their own. With `scope` the script is
    // read as if its [Package] scope said so. Throws BuildError when the input is none of these,
    // or is damaged.
    static PackageContent Read(const std::filesystem::path& input, const ScriptEncoding& encoding,
                               const std::optional<std::filesystem::path>& setupExe, std::optional<PackageScope> scope);

    // The script as the media carry it: from a package folder its folder lines written out and the
    // [MediaNamesNN] sections the build would add.
    const ProfileText& Script() const { return script_; }
    // What the check finds in the script, as the build finds it in a package folder's (folder
    // lines included) or `check --media` in built media's. With errors among them the files of a
    // package folder are not looked for.
    const Findings& ScriptFindings() const { return findings_; }
    // The file of the script's entry `file` (one of ProgramFiles(Script())), as installed: read
    // under its name on the media, as setup reads it. Throws BuildError when the package lacks it
    // or holds it damaged.
    const FileFacts& File(const ProgramFile& file) const;
    // The setup program, as given to the build; nothing when a package folder was read without it.
    const std::optional<FileFacts>& SetupProgram() const { return setupProgram_; }

private:
    // The content of the file a disk holds under the media name given.
    using MediaFileReader = std::function<std::string(int disk, const std::string& mediaName)>;

    PackageContent(ProfileText script, MediaFileReader fileContent);
    static PackageContent FromOneFile(const std::filesystem::path& oneFile, std::optional<PackageScope> scope);
    static PackageContent FromMedia(const std::filesystem::path& media, bool diskFolders,
                                    std::optional<PackageScope> scope);
    static PackageContent FromPackageFolder(const std::filesystem::path& folder, const ScriptEncoding& encoding,
                                            const std::optional<std::filesystem::path>& setupExe,
                                            std::optional<PackageScope> scope);

    ProfileText script_;
    Findings findings_;
    MediaFileReader fileContent_;
    mutable std::map<std::pair<int, std::string>, FileFacts> files_;
    std::optional<FileFacts> setupProgram_;
};

// The size and digests of `content`.
FileFacts FactsOf(const std::string& content);
