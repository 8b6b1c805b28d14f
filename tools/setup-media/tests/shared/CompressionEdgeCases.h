#pragma once
#include <random>
#include <string>
#include <vector>

// The contents every expander must give back byte for byte: the sizes at the format's edges,
// a long run, incompressible data, text, and a match from as far back as the window reaches.
// Shared by the tests here and the ones that expand under wine.

struct CompressionEdgeCase {
    const char* fileName;
    std::string content;
};

inline std::string RandomBytes(size_t size, unsigned seed) {
    std::mt19937 generator(seed);
    std::string bytes(size, '\0');
    for (char& byte : bytes) byte = static_cast<char>(generator());
    return bytes;
}

inline std::string RepeatingText(size_t size) {
    std::string text;
    for (int line = 0; text.size() < size; ++line)
        text += "Line " + std::to_string(line) + ": the quick brown fox jumps over the lazy dog, " +
                std::to_string(line * 7919 % 1000) + " times.\r\n";
    return text;
}

inline std::vector<CompressionEdgeCase> CompressionEdgeCases() {
    const std::string window = RandomBytes(4078, 9);
    return {
        {"empty.bin", ""},
        {"one.bin", "x"},
        {"fifteen.bin", "fifteen bytes.."},
        {"sixteen.bin", RandomBytes(16, 1)},
        {"w4095.bin", RandomBytes(4095, 2)},
        {"w4096.bin", std::string(4096, ' ')},
        {"w4097.bin", RandomBytes(4097, 3)},
        {"zeros.bin", std::string(1 << 20, '\0')},
        {"random.bin", RandomBytes(1 << 20, 4)},
        {"text.txt", RepeatingText(200000)},
        {"reach.bin", window + window},
    };
}
