#include "base/VersionOrder.h"

#include <cstdint>

namespace {

// The number at `at` in `text`, and `at` moved past its part and the dot after it. A number longer
// than 18 digits is read as its first 18.
uint64_t NextPart(const std::string& text, size_t& at) {
    constexpr uint64_t Largest = 99999999999999999;
    uint64_t part = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
        if (part <= Largest) part = part * 10 + static_cast<uint64_t>(text[at] - '0');
    while (at < text.size() && text[at++] != '.') {
    }
    return part;
}

}  // namespace

int CompareVersions(const std::string& a, const std::string& b) {
    size_t atA = 0, atB = 0;
    while (atA < a.size() || atB < b.size()) {
        const uint64_t partA = NextPart(a, atA), partB = NextPart(b, atB);
        if (partA != partB) return partA < partB ? -1 : 1;
    }
    return 0;
}
