#include "common/NearestName.h"

#include <algorithm>

#include "common/LetterCase.h"

namespace {

// Slips needed to turn one into the other: a letter left out, added or changed, or two
// neighbours swapped, each counting one.
size_t Slips(const std::string& a, const std::string& b) {
    std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
    for (size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
    for (size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t changed = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + changed});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[a.size()][b.size()];
}

// A short name is near only one slip away; every five letters allow one more.
size_t SlipsAllowed(const std::string& name) { return 1 + name.size() / 5; }

constexpr size_t ShortestPrefix = 3;

bool BeginsTheOther(const std::string& a, const std::string& b) {
    const std::string& shorter = a.size() < b.size() ? a : b;
    const std::string& longer = a.size() < b.size() ? b : a;
    return shorter.size() >= ShortestPrefix && longer.starts_with(shorter);
}

}  // namespace

std::optional<std::string> NearestName(std::string_view written, const std::vector<std::string>& known) {
    const std::string name = LowerCase(written);
    std::optional<std::string> nearest;
    size_t fewest = SlipsAllowed(name) + 1;
    for (const std::string& candidate : known) {
        const std::string lower = LowerCase(candidate);
        if (lower == name) continue;
        const size_t slips = Slips(name, lower);
        if (slips < fewest && slips <= std::min(SlipsAllowed(name), SlipsAllowed(lower))) {
            fewest = slips;
            nearest = candidate;
        }
    }
    if (nearest) return nearest;
    for (const std::string& candidate : known)
        if (BeginsTheOther(name, LowerCase(candidate))) return candidate;
    return std::nullopt;
}
