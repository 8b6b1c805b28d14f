// Writes the fuzz targets' first corpora from the project's own samples:
//   make-fuzz-seeds OUT PACKAGE SCRIPT...
// OUT/<target>/ each: LZMA streams of text and binary data with dictionaries smaller than the
// data; the scripts as UTF-8, UTF-16 and a code page; one-file setups of the package's files
// (its install.ini, licence.txt and disk01's files) on the stand-in program, sealed and raw.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include "FuzzedOneFile.h"
#include "common/TextEncoding.h"
#include "common/TextFile.h"
#include "compress/LzmaEncoder.h"
#include "media/OneFile.h"

namespace fs = std::filesystem;

namespace {

void Write(const fs::path& folder, const std::string& name, const std::string& content) {
    fs::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary) << content;
}

std::string Read(const fs::path& path) {
    const std::optional<std::string> content = ReadWholeFile(path);
    if (!content) throw std::runtime_error("cannot read " + path.string());
    return *content;
}

std::string Text(size_t size, std::mt19937& random) {
    static const char* const words[] = {"setup ", "file ", "install ", "the ", "of ", "\r\n", "0x4010", "licence "};
    std::string text;
    while (text.size() < size) text += words[random() % 8];
    return text;
}

std::string Binary(size_t size, std::mt19937& random) {
    std::string bytes;
    while (bytes.size() < size) {
        if (random() % 4 == 0 && bytes.size() > 300) {
            const size_t from = random() % (bytes.size() - 256);
            bytes += bytes.substr(from, 3 + random() % 250);
        } else {
            bytes += static_cast<char>(random() % (random() % 2 ? 256 : 8));
        }
    }
    return bytes;
}

void LzmaSeeds(const fs::path& out) {
    std::mt19937 random(1);
    int n = 0;
    for (const size_t size : {0, 1, 40, 3000, 9000, 30000}) {
        for (const std::string& content : {Text(size, random), Binary(size, random)}) {
            LzmaSettings settings;
            settings.shape = {static_cast<unsigned>(random() % 5), static_cast<unsigned>(random() % 3),
                              static_cast<unsigned>(random() % 5)};
            // The smallest dictionary, below the data's size from 4 KB on, so the window wraps.
            settings.dictionary = 4096;
            const auto* bytes = reinterpret_cast<const unsigned char*>(content.data());
            const std::string shapes{static_cast<char>(random() % 4), static_cast<char>(random() % 3 * 40)};
            Write(out, "stream" + std::to_string(n++), shapes + LzmaCompress({bytes, content.size()}, settings));
        }
    }
}

void ScriptSeeds(const fs::path& out, const std::vector<std::string>& scripts) {
    int n = 0;
    for (const std::string& script : scripts) {
        for (const auto& [target, choice] : {std::pair<const char*, char>{"profile-text", 0}, {"script-check", 3}}) {
            Write(out / target, "script" + std::to_string(n), choice + script);
            Write(out / target, "utf16-" + std::to_string(n), static_cast<char>(choice + 1) + Utf16WithByteOrderMark(script));
        }
        Write(out / "profile-text", "cp1252-" + std::to_string(n), '\x04' + script);
        ++n;
    }
}

void OneFileSeeds(const fs::path& out, const fs::path& package) {
    std::vector<PayloadPart> parts = {{"install.ini", PartKind::Plain, Read(package / "install.ini"), {}},
                                      {"licence.txt", PartKind::Plain, Read(package / "licence.txt"), {}},
                                      {"setup.exe", PartKind::Program, {}, {}},
                                      {"disk01.id", PartKind::Plain, "1\r\n", {}}};
    for (const auto& entry : fs::directory_iterator(package / "disk01"))
        parts.push_back({entry.path().filename().string(), PartKind::Package, Read(entry.path()), {}});
    const std::vector<std::vector<PayloadPart>> setups = {parts, {parts[0]}, {}};
    int n = 0;
    for (const std::vector<PayloadPart>& setup : setups) {
        const std::string file = MakeOneFile(FuzzedProgram(), setup);
        for (const char* target : {"one-file", "payload-reader"})
            Write(out / target, "sealed" + std::to_string(n), SealedInputOf(file));
        Write(out / "one-file", "raw" + std::to_string(n), RawInputOf(file));
        ++n;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUT PACKAGE SCRIPT...\n", argv[0]);
        return 2;
    }
    const fs::path out = argv[1];
    std::vector<std::string> scripts;
    for (int i = 3; i < argc; ++i) scripts.push_back(Read(argv[i]));
    LzmaSeeds(out / "lzma-decoder");
    ScriptSeeds(out, scripts);
    OneFileSeeds(out, argv[2]);
    return 0;
}
