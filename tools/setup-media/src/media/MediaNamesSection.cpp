#include "media/MediaNamesSection.h"

#include <map>
#include <set>

#include "media/DigestSection.h"
#include "script/SetupScript.h"

std::string MediaNamesSections(const std::vector<RenamedEntry>& renamed, const std::string& newline) {
    std::map<int, std::string> byDisk;
    for (const RenamedEntry& entry : renamed) byDisk[entry.disk] += entry.key + "=" + entry.mediaName + newline;
    std::string sections;
    for (const auto& [disk, lines] : byDisk)
        sections += (sections.empty() ? "" : newline) + "[" + MediaNamesSectionName(disk) + "]" + newline + lines;
    return sections;
}

namespace {

std::string WithoutMediaNames(const ProfileText& script) {
    std::set<size_t> dropped;
    for (const ProfileSection& section : script.Sections())
        if (MediaNamesSectionNumber(section.name))
            for (size_t line = section.line; line <= section.lastLine; ++line) dropped.insert(line);
    if (dropped.empty()) return script.Text();
    const std::string newline = LineEndOf(script.Text());
    const std::vector<std::string_view> lines = TextLines(script.Text());
    std::string text;
    for (size_t line = 1; line <= lines.size(); ++line)
        if (!dropped.count(line)) text += std::string(lines[line - 1]) + newline;
    return text;
}

}  // namespace

std::string ScriptWithMediaNames(const ProfileText& script, const std::vector<ProgramFile>& files,
                                 const std::vector<std::string>& mediaNames) {
    std::vector<RenamedEntry> renamed;
    for (size_t i = 0; i < files.size(); ++i)
        if (mediaNames[i] != files[i].name) renamed.push_back({files[i].disk, files[i].entry->name, mediaNames[i]});
    const std::string text = WithoutMediaNames(script);
    const std::string sections = MediaNamesSections(renamed, LineEndOf(text));
    return sections.empty() ? text : ScriptWithDigests(text, sections);
}
