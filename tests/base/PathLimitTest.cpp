#include <gtest/gtest.h>

#include "base/PathLimit.h"
#include "base/SetupError.h"

TEST(PathLimit, PathOfMaximumLengthFitsAndALongerOneIsRefusedWithItsText) {
    const std::string longest(259, 'a');
    EXPECT_EQ(&RequireFittingPath(longest), &longest);
    const std::string longer(260, 'b');
    try {
        RequireFittingPath(longer);
        FAIL() << "a path of 260 characters was accepted";
    } catch (const SetupError& error) {
        EXPECT_EQ(error.what(), "Path too long: " + std::string(100, 'b') + "...") << "quoted at a readable length";
    }
}
