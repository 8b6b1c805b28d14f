#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Makes scripts and logs of the shapes setup reads out of the seeds it is given: bytes flipped,
// inserted and cut, lines repeated, dropped and swapped, and the words setup gives meaning to
// (sections, keys, macros, roots, numbers, dots and separators, texts of every script and none)
// put in where they can do the most harm. The same seed gives the same cases.
class ScriptMutator {
public:
    ScriptMutator(std::vector<std::string> seeds, uint64_t seed);

    // The next case: a seed changed one to eight times.
    std::string Next();

private:
    uint64_t Random();
    size_t Below(size_t bound) { return bound == 0 ? 0 : static_cast<size_t>(Random() % bound); }
    void Mutate(std::string& text);
    std::vector<std::string> Lines(const std::string& text) const;

    std::vector<std::string> seeds_;
    uint64_t state_;
};
