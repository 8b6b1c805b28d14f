#include "media/TakenFiles.h"

#include "script/MediaNaming.h"

TakenFiles TakeFiles(const ProfileText& script, const PackageSource& source, const std::string& scriptName) {
    TakenFiles taken{ProgramFiles(script), {}, {}};
    for (const ProgramFile& file : taken.files)
        taken.sources.push_back(source.FileFor(file, scriptName, script.AuthoredLine(file.entry->line)));
    taken.mediaNames = MediaNamesOf(taken.files, SourcesOf(taken.files, source.Package()), ReservedNames(script));
    return taken;
}
