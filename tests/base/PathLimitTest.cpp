#include <gtest/gtest.h>

#include "base/PathLimit.h"

TEST(PathLimit, PathOfMaximumLengthFitsAndALongerOneIsRefusedWithItsText) {
    EXPECT_TRUE(RequireFittingPath(std::string(259, 'a')).Ok());
    const Status longer = RequireFittingPath(std::string(260, 'b'));
    ASSERT_FALSE(longer.Ok()) << "a path of 260 characters was accepted";
    EXPECT_FALSE(longer.IsFatal());
    EXPECT_EQ(longer.Message(), "Path too long: " + std::string(100, 'b') + "...") << "quoted at a readable length";
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
    const Status refused = RequireFittingPath(chinese + "a");
    ASSERT_FALSE(refused.Ok()) << "a path of 260 characters was accepted";
    EXPECT_EQ(refused.Message(), "Path too long: " + chinese.substr(0, 300) + "...");
}
