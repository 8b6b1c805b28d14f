#pragma once
#include <string>

// Versions as a package's script and the list of installed programs write them: numbers with dots
// between. Each part is compared as a number ("2.10" is newer than "2.9"), and a missing part counts
// as 0 ("1.0" is "1"). A part is read up to its first character that is not a digit, and a number of
// more than 18 digits as its first 18.

// Below 0, 0 or above 0 as `a` is older than, the same as or newer than `b`.
int CompareVersions(const std::string& a, const std::string& b);

// Whether installing `offered` over `installed` goes back to an older version; never when either is empty.
inline bool IsDowngrade(const std::string& installed, const std::string& offered) {
    return !installed.empty() && !offered.empty() && CompareVersions(offered, installed) < 0;
}
