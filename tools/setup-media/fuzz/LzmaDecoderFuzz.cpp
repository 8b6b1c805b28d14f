// Feeds setup.exe's LZMA decoder mutated streams, built with the address and undefined-behaviour
// sanitizers by scripts/fuzz-lzma.sh: any read or write outside a buffer, or more output than
// asked for, stops the run with the case that caused it.
//   lzma-decoder-fuzz CASES [SEED]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "base/LzmaDecoder.h"
#include "compress/LzmaEncoder.h"

namespace {

class Input : public LzmaInput {
public:
    Input(const std::string& bytes, std::mt19937& random) : bytes_(bytes), random_(random) {}
    // Short reads of any size, as a file may give them.
    size_t Read(unsigned char* buffer, size_t size) override {
        const size_t taken = std::min({size, bytes_.size() - at_, size_t{1} + random_() % 70000});
        std::copy_n(bytes_.data() + at_, taken, buffer);
        at_ += taken;
        return taken;
    }

private:
    const std::string& bytes_;
    std::mt19937& random_;
    size_t at_ = 0;
};

class Output : public ByteSink {
public:
    bool Write(const unsigned char* bytes, size_t size) override {
        // Touch every byte handed over, so the sanitizer sees a read outside the dictionary.
        for (size_t i = 0; i < size; ++i) sum += bytes[i];
        written += size;
        return true;
    }
    uint64_t written = 0;
    unsigned sum = 0;
};

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

std::vector<std::string> Seeds(std::mt19937& random) {
    std::vector<std::string> seeds;
    for (const size_t size : {0, 1, 40, 3000, 70000}) {
        for (const std::string& content : {Text(size, random), Binary(size, random)}) {
            LzmaSettings settings;
            settings.shape = {static_cast<unsigned>(random() % 5), static_cast<unsigned>(random() % 3),
                              static_cast<unsigned>(random() % 5)};
            const auto* bytes = reinterpret_cast<const unsigned char*>(content.data());
            seeds.push_back(LzmaCompress({bytes, content.size()}, settings));
        }
    }
    return seeds;
}

void Mutate(std::string& stream, std::mt19937& random) {
    for (unsigned count = 1 + random() % 4; count > 0 && !stream.empty(); --count) {
        const size_t at = random() % stream.size();
        switch (random() % 6) {
        case 0: stream[at] = static_cast<char>(stream[at] ^ (1 << random() % 8)); break;
        case 1: stream[at] = static_cast<char>(random()); break;
        case 2: stream.resize(at); break;
        case 3: stream.insert(at, 1 + random() % 8, static_cast<char>(random())); break;
        // The header: properties, dictionary size and stated size.
        case 4: stream[random() % std::min<size_t>(13, stream.size())] = static_cast<char>(random()); break;
        default: stream.erase(at, 1 + random() % 16); break;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CASES [SEED]\n", argv[0]);
        return 2;
    }
    const unsigned long cases = std::strtoul(argv[1], nullptr, 10);
    std::mt19937 random(argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 1);
    const std::vector<std::string> seeds = Seeds(random);
    unsigned long refused = 0;
    for (unsigned long n = 0; n < cases; ++n) {
        std::string stream = seeds[random() % seeds.size()];
        Mutate(stream, random);
        Input input(stream, random);
        Output output;
        LzmaDecoder decoder(input);
        // At most 16 MB of dictionary, so a mutated size is refused rather than allocated.
        LzmaResult result = decoder.Start(1u << 24);
        const uint64_t asked = random() % 2 ? decoder.StatedSize() % (1u << 20) : random() % 100000;
        for (uint64_t done = 0; result == LzmaResult::Ok && done < asked;) {
            const uint64_t piece = std::min<uint64_t>(asked - done, 1 + random() % 20000);
            result = decoder.Decode(piece, &output);
            done += piece;
        }
        if (result == LzmaResult::Ok) result = decoder.Finish();
        if (output.written > asked) {
            std::fprintf(stderr, "case %lu: %llu bytes written, %llu asked\n", n,
                         static_cast<unsigned long long>(output.written), static_cast<unsigned long long>(asked));
            return 1;
        }
        refused += result != LzmaResult::Ok;
    }
    std::printf("%lu cases, %lu refused, no fault\n", cases, refused);
    return 0;
}
