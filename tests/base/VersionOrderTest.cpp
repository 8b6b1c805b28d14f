#include <gtest/gtest.h>

#include "base/VersionOrder.h"

namespace {

struct VersionCase {
    const char* older;
    const char* newer;
};

}  // namespace

// Versions as authors write them: each part a number, missing parts 0.
TEST(VersionOrder, PartsCompareAsNumbers) {
    const VersionCase cases[] = {
        {"2.9", "2.10"}, {"1.0", "1.0.0.1"}, {"1", "1.0.0.1"}, {"1.9.9", "2"}, {"0.9", "1.0"},
        {"2.4.1", "2.4.10"}, {"9", "10"}, {"1.2.3.4", "1.2.3.5"}, {"65534", "65535"},
    };
    for (const VersionCase& c : cases) {
        EXPECT_LT(CompareVersions(c.older, c.newer), 0) << c.older << " before " << c.newer;
        EXPECT_GT(CompareVersions(c.newer, c.older), 0) << c.newer << " after " << c.older;
    }
}

TEST(VersionOrder, MissingPartsAndLeadingZerosAreTheSameVersion) {
    const VersionCase same[] = {
        {"1.0", "1"}, {"1.0.0.0", "1"}, {"2.010", "2.10"}, {"", ""}, {"3.1.", "3.1"}, {"007", "7"},
    };
    for (const VersionCase& c : same) EXPECT_EQ(CompareVersions(c.older, c.newer), 0) << c.older << " and " << c.newer;
}

// Only an older version over a newer one is a downgrade; a package or an entry without a version
// never is, and the same version is a repair.
TEST(VersionOrder, ADowngradeNeedsBothVersions) {
    EXPECT_TRUE(IsDowngrade("2.10", "2.9"));
    EXPECT_TRUE(IsDowngrade("1.0.0.1", "1.0"));
    EXPECT_FALSE(IsDowngrade("2.9", "2.10"));
    EXPECT_FALSE(IsDowngrade("1.0", "1"));
    EXPECT_FALSE(IsDowngrade("", "1.0"));
    EXPECT_FALSE(IsDowngrade("2.0", ""));
    EXPECT_FALSE(IsDowngrade("", ""));
}
