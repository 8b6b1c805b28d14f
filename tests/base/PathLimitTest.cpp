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

// The limit is the platform's buffer of 260 UTF-16 units: a path of 259 Chinese characters (777
// bytes of UTF-8) fits, one character beyond the first plane takes two places, and a path cut
// for a message is cut between characters.
TEST(PathLimit, CountsCharactersAsThePlatformsBufferHoldsThem) {
    std::string chinese;
    for (int i = 0; i < 259; ++i) chinese += "\xE7\x8E\x8B";
    EXPECT_TRUE(FitsPathBuffer(chinese));
    EXPECT_FALSE(FitsPathBuffer(chinese + "a"));
    const std::string emoji = "\xF0\x9F\x98\x80";
    EXPECT_TRUE(FitsPathBuffer(std::string(257, 'a') + emoji));
    EXPECT_FALSE(FitsPathBuffer(std::string(258, 'a') + emoji));
    const std::string ansi(259, '\xE9');  // a byte that starts no UTF-8 character counts as one
    EXPECT_TRUE(FitsPathBuffer(ansi));
    EXPECT_FALSE(FitsPathBuffer(ansi + "\xE9"));
    try {
        RequireFittingPath(chinese + "a");
        FAIL() << "a path of 260 characters was accepted";
    } catch (const SetupError& error) {
        EXPECT_EQ(error.what(), "Path too long: " + chinese.substr(0, 300) + "...");
    }
}
