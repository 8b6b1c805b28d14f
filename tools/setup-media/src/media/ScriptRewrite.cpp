#include "media/ScriptRewrite.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "media/DigestSection.h"
#include "media/MediaNamesSection.h"
#include "setupdata/ScriptGroups.h"
#include "setupdata/ScriptNames.h"

namespace {

constexpr const char* ShortcutSections[] = {IconsSection, StartButtonSection, DesktopSection};

using EntryKey = std::pair<std::string, std::string>;  // section and key, lower case

struct Lines {
    std::vector<std::string> text;  // without their "\n"
    std::string newline;
};

// Lines as the script's reader counts them, so that its line numbers find them.
Lines SplitLines(const std::string& text) {
    Lines lines{{}, LineEndOf(text)};
    for (const std::string_view line : TextLines(text)) lines.text.emplace_back(line);
    return lines;
}

class Rewriter {
public:
    Rewriter(const ProfileText& script, const std::vector<ProgramFile>& files, const std::vector<int>& disks,
             int diskCount, const std::vector<std::string>& mediaNames)
        : script_(script), diskCount_(diskCount) {
        std::map<int, int> keysOnDisk;
        for (size_t i = 0; i < files.size(); ++i) {
            const std::string key = "file" + std::to_string(++keysOnDisk[disks[i]]);
            onDisk_[disks[i]].push_back(key + "=" + files[i].entry->value);
            if (mediaNames[i] != files[i].name) renamed_.push_back({disks[i], key, mediaNames[i]});
            moved_[{LowerCase(files[i].section->name), LowerCase(files[i].entry->name)}] =
                "[" + DiskSectionName(disks[i]) + "]" + key;
        }
    }

    std::string Rewrite(const Lines& lines) {
        newline_ = lines.newline;
        MarkLines();
        std::string out;
        for (size_t line = 1; line <= lines.text.size(); ++line) {
            if (line == insertAt_) out += NewSections();
            const auto replaced = replacements_.find(line);
            if (dropped_.count(line)) continue;
            out += (replaced == replacements_.end() ? lines.text[line - 1] : replaced->second) + newline_;
        }
        if (insertAt_ > lines.text.size()) out += NewSections();
        const std::string mediaNames = MediaNamesSections(renamed_, newline_);
        return mediaNames.empty() ? out : ScriptWithDigests(out, mediaNames);
    }

private:
    void MarkLines() {
        insertAt_ = script_.LineCount() + 1;
        for (const ProfileSection& section : script_.Sections()) {
            // The script's own media names name entries that are written anew: the new ones take their place.
            const bool mediaNames = MediaNamesSectionNumber(section.name).has_value();
            if (!IsReadAsDiskSection(section, script_) && !mediaNames) continue;
            if (!mediaNames) insertAt_ = std::min(insertAt_, section.line);
            for (size_t line = section.line; line <= section.lastLine; ++line) dropped_.insert(line);
        }
        MarkDiskCount();
        for (const char* name : ShortcutSections) MarkReferences(name);
    }

    void MarkDiskCount() {
        const std::string count = std::string(DiskCountKey) + "=" + std::to_string(diskCount_);
        if (const ProfileEntry* n = script_.FindEntry(DisksSection, DiskCountKey))
            replacements_[n->line] = count;
        else if (const ProfileSection* disks = script_.Find(DisksSection))
            replacements_[disks->line] = "[" + disks->name + "]" + newline_ + count;
        else
            disksSection_ = "[" + std::string(DisksSection) + "]" + newline_ + count + newline_ + newline_;
    }

    void MarkReferences(const char* section) {
        const std::vector<const ProfileEntry*> entries = ListedEntries(script_.Find(section));
        for (size_t i = 0; i < entries.size(); i += 2) {
            const std::optional<ShortcutReference> target = ParseShortcutReference(entries[i]->value);
            if (!target) continue;
            const auto moved = moved_.find({LowerCase(target->section), LowerCase(target->key)});
            if (moved != moved_.end()) replacements_[entries[i]->line] = entries[i]->name + "=" + moved->second;
        }
    }

    std::string NewSections() const {
        std::string out = disksSection_;
        for (const auto& [disk, entries] : onDisk_) {
            out += "[" + DiskSectionName(disk) + "]" + newline_;
            for (const std::string& entry : entries) out += entry + newline_;
            out += newline_;
        }
        return out;
    }

    const ProfileText& script_;
    int diskCount_;
    std::map<int, std::vector<std::string>> onDisk_;
    std::vector<RenamedEntry> renamed_;
    std::map<EntryKey, std::string> moved_;
    std::map<size_t, std::string> replacements_;
    std::set<size_t> dropped_;
    std::string disksSection_;
    std::string newline_;
    size_t insertAt_ = 0;
};

}  // namespace

std::string RewriteForDisks(const std::string& text, const ProfileText& script, const std::vector<ProgramFile>& files,
                            const std::vector<int>& disks, int diskCount, const std::vector<std::string>& mediaNames) {
    return Rewriter(script, files, disks, diskCount, mediaNames).Rewrite(SplitLines(text));
}
