#include "media/DigestSection.h"

#include <map>

#include "base/ContentDigest.h"
#include "common/PathText.h"
#include "common/TextFile.h"
#include "fsutil/FileDigestRecord.h"
#include "media/BuildError.h"
#include "script/ProfileText.h"

namespace {

bool UsableAsKey(const std::string& name) {
    return !name.empty() && name.find('=') == std::string::npos && name.front() != ';' && name.front() != '[' &&
           name.front() != ' ' && name.back() != ' ';
}

}  // namespace

std::string DigestSection(const std::vector<MediaFile>& compressed, const std::string& newline) {
    std::map<std::string, std::string> records;  // by lower-case name: the record, or empty when in doubt
    std::vector<std::string> order;
    for (const MediaFile& file : compressed) {
        if (!UsableAsKey(file.name)) continue;
        const std::optional<std::string> content = ReadWholeFile(file.content);
        if (!content) throw BuildError("cannot read " + TextOfPath(file.content));
        const std::string record = FileDigestRecord(content->size(), ContentDigest(*content));
        const auto [found, added] = records.try_emplace(LowerCase(file.name), record);
        if (added)
            order.push_back(file.name);
        else if (found->second != record)
            found->second.clear();
    }
    std::string section = "[" + std::string(FileDigestsSection) + "]" + newline;
    for (const std::string& name : order)
        if (const std::string& record = records[LowerCase(name)]; !record.empty())
            section += name + "=" + record + newline;
    return section;
}

std::string NewlineOf(const std::string& script) { return script.find("\r\n") != std::string::npos ? "\r\n" : "\n"; }

std::string ScriptWithDigests(const std::string& script, const std::string& digests) {
    const std::string newline = NewlineOf(script);
    const bool ended = script.empty() || script.back() == '\n';
    return script + (ended ? "" : newline) + newline + digests;
}
