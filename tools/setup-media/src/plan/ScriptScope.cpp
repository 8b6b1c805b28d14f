#include "plan/ScriptScope.h"

#include "setupdata/ScriptNames.h"

ProfileText ScriptWithScope(const ProfileText& script, PackageScope scope) {
    const std::string entry = std::string(ScopeKey) + "=" + (scope == PackageScope::User ? UserScopeValue : MachineScopeValue);
    const ProfileSection* package = script.Find(PackageSection);
    const ProfileEntry* written = script.FindEntry(PackageSection, ScopeKey);
    // The line to replace, or the section's line to follow; a script without [Package] gets one.
    const size_t line = written ? written->line : package ? package->line : 0;
    std::string text;
    if (line == 0) text = "[" + std::string(PackageSection) + "]\n" + entry + "\n";
    const std::vector<std::string_view> lines = TextLines(script.Text());
    for (size_t i = 0; i < lines.size(); ++i) {
        const bool here = i + 1 == line;
        text += here && written ? entry : std::string(lines[i]);
        text += "\n";
        if (here && !written) text += entry + "\n";
    }
    return ProfileText::Parse(text);
}
