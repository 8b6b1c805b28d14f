#include "script/MediaNaming.h"

#include <map>
#include <set>

#include "common/LetterCase.h"
#include "common/PathText.h"
#include "fsutil/FileNames.h"
#include "script/LanguageLicences.h"
#include "setupdata/ScriptNames.h"
#include "texts/LanguageTags.h"

namespace {

// "readme~2.txt": the mark goes before the first dot, so the compressed form keeps the rest.
std::string Numbered(const std::string& name, size_t number) {
    const size_t dot = std::min(name.find('.'), name.size());
    return name.substr(0, dot) + "~" + std::to_string(number) + name.substr(dot);
}

class Claims {
public:
    explicit Claims(const std::vector<std::string>& reserved) {
        for (const std::string& name : reserved) taken_.insert(LowerCase(name));
    }

    bool Take(const std::string& name) { return taken_.insert(LowerCase(CompressedFileName(name))).second; }

    std::string TakeFree(const std::string& name) {
        for (size_t number = 2;; ++number)
            if (const std::string numbered = Numbered(name, number); Take(numbered)) return numbered;
    }

private:
    std::set<std::string> taken_;
};

}  // namespace

std::vector<std::string> MediaNamesOf(const std::vector<ProgramFile>& files, const std::vector<std::string>& sources,
                                      const std::vector<std::string>& reserved) {
    Claims claims(reserved);
    std::vector<std::string> names(files.size());
    std::map<std::string, std::string> bySource;
    // Given names first, then own names in script order, then numbered ones for the rest.
    for (size_t i = 0; i < files.size(); ++i)
        if (files[i].mediaName != files[i].name) {
            names[i] = files[i].mediaName;
            bySource.emplace(sources[i], names[i]);
            claims.Take(names[i]);
        }
    for (const bool own : {true, false}) {
        for (size_t i = 0; i < files.size(); ++i) {
            if (!names[i].empty()) continue;
            if (const auto shared = bySource.find(sources[i]); shared != bySource.end()) {
                names[i] = shared->second;
            } else if (!own || claims.Take(files[i].name)) {
                names[i] = own ? files[i].name : claims.TakeFree(files[i].name);
                bySource.emplace(sources[i], names[i]);
            }
        }
    }
    return names;
}

std::vector<std::string> SourcesOf(const std::vector<ProgramFile>& files, const PackageFolder& package) {
    std::vector<std::string> sources;
    for (const ProgramFile& file : files) {
        const std::optional<std::filesystem::path> source = package.SourceOf(file.disk, file.entry->value);
        std::error_code error;
        sources.push_back(source ? "file:" + TextOfPath(std::filesystem::weakly_canonical(*source, error))
                                 : "name:" + LowerCase(file.name));
    }
    return sources;
}

std::vector<std::string> ReservedNames(const ProfileText& script) {
    std::vector<std::string> reserved = {SetupProgramName, ScriptFileName, DiskIdFileName(1)};
    if (const std::optional<std::string> licence = LicenceFileName(script)) reserved.push_back(*licence);
    for (const std::string& licence : LanguageLicenceFiles(script)) reserved.push_back(licence);
    for (const std::string& tag : KnownLanguageTags()) reserved.push_back(LanguageFileName(tag));
    return reserved;
}
