#include "media/Unpack.h"

#include <fstream>

#include "common/PathRelations.h"
#include "common/PathText.h"
#include "common/TextFile.h"
#include "media/BuildError.h"
#include "media/OneFile.h"
#include "media/OutputFolder.h"
#include "media/StagingFolder.h"
#include "script/SetupScript.h"

namespace fs = std::filesystem;

void UnpackInto(const fs::path& oneFile, const fs::path& folder) {
    const std::optional<std::string> file = ReadWholeFile(oneFile);
    if (!file) throw BuildError("cannot read " + TextOfPath(oneFile));
    const std::vector<PayloadPart> parts = ReadOneFile(*file, TextOfPath(oneFile));
    for (const PayloadPart& part : parts) {
        const fs::path target = folder / RelativePathOf(part.name);
        fs::create_directories(target.parent_path());
        std::ofstream out(target, std::ios::binary);
        if (!(out << part.content) || !out.flush()) throw BuildError("cannot write " + TextOfPath(target));
    }
}

void UnpackOneFile(const fs::path& oneFile, const fs::path& out, bool force, std::ostream& report) {
    const fs::path folder = CheckOutputFolder(out, {oneFile}, force);
    StagingFolder staging(folder);
    UnpackInto(oneFile, staging.Path() / DiskFolderName(1));
    staging.CommitTo(folder);
    report << "media in " << TextOfPath(out / DiskFolderName(1)) << "\n";
}
