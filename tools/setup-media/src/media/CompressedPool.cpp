#include "media/CompressedPool.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "common/PathText.h"
#include "compress/SzddWriter.h"
#include "fsutil/FileNames.h"
#include "media/BuildError.h"

namespace fs = std::filesystem;

namespace {

std::vector<unsigned char> ReadPackageFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw BuildError("cannot read " + TextOfPath(path));
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) throw BuildError("cannot read " + TextOfPath(path));
    if (static_cast<unsigned long long>(size) > MaxSzddContent)
        throw BuildError(TextOfPath(path) + " is larger than the compressed format can hold (4 GB)");
    std::vector<unsigned char> content(static_cast<size_t>(size));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(content.data()), size);
    if (in.gcount() != size) throw BuildError("cannot read " + TextOfPath(path));
    return content;
}

}  // namespace

char ReplacedCharacter(const std::string& name) {
    return CompressedFileName(name).size() == name.size() ? name.back() : '\0';
}

CompressedPool::CompressedPool(fs::path folder) : folder_(std::move(folder)) { fs::create_directories(folder_); }

const CompressedFile& CompressedPool::Compress(const fs::path& source, const std::string& name) {
    const auto key = std::make_pair(source, ReplacedCharacter(name));
    if (const auto found = files_.find(key); found != files_.end()) return found->second;
    const fs::path target = folder_ / std::to_string(files_.size());
    std::ofstream out(target, std::ios::binary);
    if (!WriteSzdd(ReadPackageFile(source), key.second, out) || !out.flush())
        throw BuildError("cannot write " + TextOfPath(target));
    out.close();
    return files_[key] = CompressedFile{target, fs::file_size(target)};
}
