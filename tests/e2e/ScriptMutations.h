#pragma once
#include <random>
#include <string>
#include <vector>

// Setup scripts as an author's slips make them: a sample with a few lines dropped, repeated,
// swapped or added, a letter slipped in a name or value, a macro's percent signs or letters
// changed, a value replaced by one from another line or of another kind. Seeded: the same seed
// gives the same scripts, so a case that shows a fault can be run again.
class ScriptMutations {
public:
    ScriptMutations(std::string sample, unsigned seed) : sample_(std::move(sample)), random_(seed) {}

    // The next script: the sample with one to three slips.
    std::string Next();

private:
    using Lines = std::vector<std::string>;

    size_t Below(size_t count) { return std::uniform_int_distribution<size_t>(0, count - 1)(random_); }
    template <class Items>
    const auto& Any(const Items& items) {
        return items[Below(std::size(items))];
    }

    void Slip(Lines& lines);
    std::string Misspelt(const std::string& text);
    std::string WithMacroSlip(const std::string& text);

    std::string sample_;
    std::mt19937 random_;
};
