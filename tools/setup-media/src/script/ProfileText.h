#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/LetterCase.h"
#include "common/TextEncoding.h"
#include "common/TextLines.h"

// A profile file (install.ini) read as the platform's profile functions read it, keeping the
// line of every section and entry so that findings can point at them.

struct ProfileEntry {
    std::string name;   // blanks around it removed
    std::string value;  // blanks around it and one pair of enclosing quotes removed
    size_t line = 0;    // from 1
};

struct ProfileSection {
    std::string name;
    size_t line = 0;                    // of the "[name]" line
    size_t lastLine = 0;                // the last line before the next section or the end
    std::vector<ProfileEntry> entries;  // every entry line, repeated names included
};

class ProfileText {
public:
    // `content` is UTF-8 text.
    static ProfileText Parse(const std::string& content);
    // The file's bytes, decoded as setup decodes them.
    static ProfileText Read(std::string_view bytes, const ScriptEncoding& encoding);

    const std::vector<ProfileSection>& Sections() const { return sections_; }
    size_t LineCount() const { return lineCount_; }
    // The text in UTF-8, as read.
    const std::string& Text() const { return decoded_.utf8; }
    const std::string& EncodingName() const { return decoded_.encodingName; }
    bool NotUtf8() const { return decoded_.notUtf8; }
    // Lines with bytes invalid in that encoding, and lines a NUL cuts short: the profile
    // functions read a name or value only up to a NUL.
    const std::vector<size_t>& InvalidLines() const { return decoded_.invalidLines; }
    const std::vector<size_t>& CutLines() const { return cutLines_; }

    // A script made from this one by setup-media (its folder lines written out): `text`, with the
    // line of this script each of its lines stands for, and whether setup-media wrote it.
    ProfileText Rewritten(const std::string& text, std::vector<size_t> authoredLines, std::vector<bool> written) const;
    // The line of the author's script that `line` stands for: itself in a script as the author wrote it.
    size_t AuthoredLine(size_t line) const;
    // True for a line setup-media wrote in place of the author's.
    bool IsWritten(size_t line) const;

    // The first section of that name, without regard to case: the only one that is read.
    const ProfileSection* Find(std::string_view section) const;
    // The first entry of that name in that section, as a read of the key finds it.
    const ProfileEntry* FindEntry(std::string_view section, std::string_view key) const;

private:
    std::vector<ProfileSection> sections_;
    size_t lineCount_ = 0;
    DecodedText decoded_;
    std::vector<size_t> cutLines_;
    std::vector<size_t> authoredLines_;  // by line from 1; empty as the author wrote it
    std::vector<bool> written_;
};

// The line end `text` uses, for lines added to it: CR LF when it has one, CR when it has only those, else LF.
std::string LineEndOf(std::string_view text);

// A section as the setup walks it by position: one entry per distinct name, where that name
// first stands, and only when the name and its first value are not empty.
std::vector<const ProfileEntry*> ListedEntries(const ProfileSection* section);

