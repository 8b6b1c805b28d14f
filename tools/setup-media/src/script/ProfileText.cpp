#include "script/ProfileText.h"

#include <algorithm>
#include <set>

namespace {

// The profile functions take Ctrl+Z, the old end-of-file mark, for a blank too.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v' || c == '\x1A';
}

// Names and values end at a NUL, though the line goes on.
std::string_view CutAtNul(std::string_view text) { return text.substr(0, text.find('\0')); }

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The profile functions drop one pair of matching quotes around a value.
std::string_view Unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

ProfileEntry EntryOf(std::string_view line, size_t number) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return {std::string(CutAtNul(line)), "", number};
    return {std::string(CutAtNul(Trimmed(line.substr(0, equals)))),
            std::string(Unquoted(CutAtNul(Trimmed(line.substr(equals + 1))))), number};
}

}  // namespace

std::string LineEndOf(std::string_view text) {
    if (text.find("\r\n") != std::string_view::npos) return "\r\n";
    const bool crOnly = text.find('\r') != std::string_view::npos && text.find('\n') == std::string_view::npos;
    return crOnly ? "\r" : "\n";
}

ProfileText ProfileText::Read(std::string_view bytes, const ScriptEncoding& encoding) {
    DecodedText decoded = DecodeScript(bytes, encoding);
    ProfileText profile = Parse(decoded.utf8);
    profile.decoded_ = std::move(decoded);
    return profile;
}

ProfileText ProfileText::Parse(const std::string& content) {
    ProfileText profile;
    profile.decoded_.utf8 = content;
    profile.decoded_.encodingName = "UTF-8";
    for (const std::string_view whole : TextLines(content)) {
        const std::string_view line = Trimmed(whole);
        const size_t number = ++profile.lineCount_;
        if (line.find('\0') != std::string_view::npos) profile.cutLines_.push_back(number);
        const size_t close = line.rfind(']');
        if (line.starts_with('[') && close != std::string_view::npos && close > 0) {
            profile.sections_.push_back({std::string(CutAtNul(line.substr(1, close - 1))), number, number, {}});
        } else if (!profile.sections_.empty()) {
            ProfileSection& current = profile.sections_.back();
            current.lastLine = number;
            if (!line.empty() && !line.starts_with(';')) current.entries.push_back(EntryOf(line, number));
        }
    }
    return profile;
}

ProfileText ProfileText::Rewritten(const std::string& text, std::vector<size_t> authoredLines,
                                   std::vector<bool> written) const {
    ProfileText rewritten = Parse(text);
    rewritten.decoded_.encodingName = decoded_.encodingName;
    rewritten.decoded_.notUtf8 = decoded_.notUtf8;
    // The invalid bytes of a line stay with the lines that copy it.
    for (size_t line = 1; line <= authoredLines.size(); ++line)
        if (!written[line - 1] &&
            std::binary_search(decoded_.invalidLines.begin(), decoded_.invalidLines.end(), authoredLines[line - 1]))
            rewritten.decoded_.invalidLines.push_back(line);
    rewritten.authoredLines_ = std::move(authoredLines);
    rewritten.written_ = std::move(written);
    return rewritten;
}

size_t ProfileText::AuthoredLine(size_t line) const {
    return line >= 1 && line <= authoredLines_.size() ? authoredLines_[line - 1] : line;
}

bool ProfileText::IsWritten(size_t line) const { return line >= 1 && line <= written_.size() && written_[line - 1]; }

const ProfileSection* ProfileText::Find(std::string_view section) const {
    for (const ProfileSection& candidate : sections_)
        if (EqualIgnoringCase(candidate.name, section)) return &candidate;
    return nullptr;
}

const ProfileEntry* ProfileText::FindEntry(std::string_view section, std::string_view key) const {
    const ProfileSection* found = Find(section);
    if (!found) return nullptr;
    for (const ProfileEntry& entry : found->entries)
        if (EqualIgnoringCase(entry.name, key)) return &entry;
    return nullptr;
}

std::vector<const ProfileEntry*> ListedEntries(const ProfileSection* section) {
    std::vector<const ProfileEntry*> listed;
    if (!section) return listed;
    std::set<std::string> seen;
    for (const ProfileEntry& entry : section->entries)
        if (seen.insert(LowerCase(entry.name)).second && !entry.name.empty() && !entry.value.empty())
            listed.push_back(&entry);
    return listed;
}
