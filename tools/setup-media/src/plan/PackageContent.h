#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "common/TextEncoding.h"
#include "script/ProfileText.h"

// A file as an install would leave it: its content's size and digests.
struct FileFacts {
    uint64_t size = 0;
    std::string sha256;
    std::string sha1;
};

// What an install of a package reads: its script, each file of each disk as installed
// (uncompressed), and the setup program, from any of the three forms a package takes. Reads
// without writing anything.
class PackageContent {
public:
    // `input` is a package folder, built folder media (the folder of the disk folders, or one
    // holding setup.exe and every disk) or a one-file setup. `setupExe` gives the setup program
    // of a package folder; media and one-file setups carry their own. Throws BuildError when
    // the input is none of these, or is damaged.
    static PackageContent Read(const std::filesystem::path& input, const ScriptEncoding& encoding,
                               const std::optional<std::filesystem::path>& setupExe);

    const ProfileText& Script() const { return script_; }
    // Reads the package with `script` in place of its own (the files as that one names them).
    void ReplaceScript(ProfileText script) { script_ = std::move(script); }
    // The file the script names `name` for disk `disk`, as installed. Throws BuildError when the
    // package lacks it or holds it damaged.
    const FileFacts& File(int disk, const std::string& name) const;
    // The setup program, as given to the build; nothing when a package folder was read without it.
    const std::optional<FileFacts>& SetupProgram() const { return setupProgram_; }
    // Whether disk `disk` holds `name`, for the script check of built media; empty for a package folder.
    const std::function<bool(int, const std::string&)>& MediaHolds() const { return mediaHolds_; }
    // Where the licence text lies beside the script, for the script check.
    const std::filesystem::path& ScriptFolder() const { return scriptFolder_; }

private:
    PackageContent(ProfileText script, std::function<std::string(int, const std::string&)> fileContent);
    static PackageContent FromOneFile(const std::filesystem::path& oneFile);
    static PackageContent FromMedia(const std::filesystem::path& media, bool diskFolders);
    static PackageContent FromPackageFolder(const std::filesystem::path& folder, const ScriptEncoding& encoding,
                                            const std::optional<std::filesystem::path>& setupExe);

    ProfileText script_;
    std::function<std::string(int, const std::string&)> fileContent_;
    mutable std::map<std::pair<int, std::string>, FileFacts> files_;
    std::optional<FileFacts> setupProgram_;
    std::function<bool(int, const std::string&)> mediaHolds_;
    std::filesystem::path scriptFolder_;
};

// The size and digests of `content`.
FileFacts FactsOf(const std::string& content);
