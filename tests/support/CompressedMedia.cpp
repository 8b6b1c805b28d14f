#include "support/CompressedMedia.h"

#include "fsutil/FileNames.h"
#include "support/TestFiles.h"
#include "support/UnixTools.h"

bool PutCompressedOnMedia(const std::string& folder, const std::vector<MediaFile>& files) {
    TempFolder originals;
    std::string script = "set -e\ncd " + ShellQuoted(UnixPathOf(originals.Path())) + "\n";
    for (const auto& [name, content] : files) {
        WriteTextFile(originals / name, content);
        script += "mscompress " + ShellQuoted(name) + " >/dev/null\n";
        script += "mv " + ShellQuoted(name + "_") + " " + ShellQuoted(UnixPathOf(folder + "\\" + CompressedFileName(name))) +
                  "\n";
    }
    return RunUnixScript(script).exitCode == 0;
}

std::string SampleContent(size_t size, unsigned seed) {
    std::string content;
    unsigned state = seed;
    for (size_t i = 0; i < size; ++i) {
        state = state * 1103515245u + 12345u;
        content += (i / 32) % 2 ? static_cast<char>('a' + (i + seed) % 5) : static_cast<char>(state >> 16);
    }
    return content;
}
