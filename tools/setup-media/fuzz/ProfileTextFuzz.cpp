// setup-media's reader of setup scripts (script/ProfileText.cpp and the decoding before it) on
// any bytes. Input: a byte that chooses the encoding, then the script's bytes. What it reads
// must agree with itself: every line it names is one of the text's lines.
#include <cstdlib>

#include "script/ProfileText.h"

namespace {

ScriptEncoding EncodingOf(uint8_t choice) {
    static const char* const names[] = {"utf-8", "utf-16", "windows-1250", "windows-1251", "windows-1252", "windows-1253"};
    if (choice % 7 == 6) return {};
    return *ScriptEncodingNamed(names[choice % 7]);
}

void CheckLine(size_t line, const ProfileText& text) {
    if (line < 1 || line > text.LineCount()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const ProfileText text = ProfileText::Read({reinterpret_cast<const char*>(data) + 1, size - 1}, EncodingOf(data[0]));
    for (const ProfileSection& section : text.Sections()) {
        CheckLine(section.line, text);
        if (section.lastLine < section.line || section.lastLine > text.LineCount()) std::abort();
        for (const ProfileEntry& entry : section.entries) {
            if (entry.line <= section.line || entry.line > section.lastLine) std::abort();
            // Only the first section of a name is read.
            if (text.Find(section.name) == &section && text.FindEntry(section.name, entry.name) == nullptr) std::abort();
        }
        for (const ProfileEntry* listed : ListedEntries(&section))
            if (listed->name.empty() || listed->value.empty()) std::abort();
    }
    for (const size_t line : text.InvalidLines()) CheckLine(line, text);
    for (const size_t line : text.CutLines()) CheckLine(line, text);
    return 0;
}
