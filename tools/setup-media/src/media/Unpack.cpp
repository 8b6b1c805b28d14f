#include "media/Unpack.h"

#include <fstream>

#include "common/PathRelations.h"
#include "common/PathText.h"
#include "common/TextEncoding.h"
#include "common/TextFile.h"
#include "compress/SzddWriter.h"
#include "media/BuildError.h"
#include "media/CompressedPool.h"
#include "media/DigestSection.h"
#include "media/OneFile.h"
#include "media/OutputFolder.h"
#include "media/StagingFolder.h"
#include "script/ProfileText.h"
#include "script/SetupScript.h"
#include "setupdata/ScriptNames.h"

namespace fs = std::filesystem;

namespace {

// A new file in `folder`; two parts that this system takes for one file make the one-file
// setup damaged, whatever their spelling.
fs::path NewFile(const fs::path& folder, const std::string& name, const std::string& label) {
    const fs::path target = folder / RelativePathOf(name);
    std::error_code error;
    if (fs::exists(target, error)) throw BuildError(label + " is damaged: two of its parts are both " + name);
    fs::create_directories(target.parent_path());
    return target;
}

void Write(const fs::path& target, const std::string& content) {
    std::ofstream out(target, std::ios::binary);
    if (!(out << content) || !out.flush()) throw BuildError("cannot write " + TextOfPath(target));
}

void WriteCompressed(const fs::path& target, const PayloadPart& part) {
    std::ofstream out(target, std::ios::binary);
    const auto* bytes = reinterpret_cast<const unsigned char*>(part.content.data());
    if (!WriteSzdd({bytes, part.content.size()}, ReplacedCharacter(part.name), out) || !out.flush())
        throw BuildError("cannot write " + TextOfPath(target));
}

// As a build writes media: the package's files compressed, and the script with their digests.
void UnpackInto(const fs::path& oneFile, const fs::path& folder) {
    const std::optional<std::string> file = ReadWholeFile(oneFile);
    if (!file) throw BuildError("cannot read " + TextOfPath(oneFile));
    const std::string label = TextOfPath(oneFile);
    const std::vector<PayloadPart> parts = ReadOneFile(*file, label);
    std::vector<MediaFile> compressed;
    std::optional<fs::path> scriptPath;
    std::string script;
    for (const PayloadPart& part : parts) {
        const fs::path target = NewFile(folder, MediaNameOf(part), label);
        if (part.kind == PartKind::Package) {
            WriteCompressed(target, part);
            compressed.push_back({MediaNameOf(part), target, fs::file_size(target), part.name});
        } else if (EqualIgnoringCase(part.name, ScriptFileName)) {
            scriptPath = target;
            script = ProfileText::Read(part.content, ScriptEncoding{}).Text();
            Write(target, {});
        } else {
            Write(target, part.content);
        }
    }
    if (!scriptPath) throw BuildError(label + " carries no " + ScriptFileName);
    Write(*scriptPath, Utf16WithByteOrderMark(ScriptWithDigests(script, DigestSection(compressed, NewlineOf(script)))));
}

}  // namespace

void UnpackOneFile(const fs::path& oneFile, const fs::path& out, bool force, std::ostream& report) {
    const fs::path folder = CheckOutputFolder(out, {oneFile}, force);
    StagingFolder staging(folder);
    UnpackInto(oneFile, staging.Path() / DiskFolderName(1));
    staging.CommitTo(folder);
    report << "media in " << TextOfPath(out / DiskFolderName(1)) << "\n";
}
