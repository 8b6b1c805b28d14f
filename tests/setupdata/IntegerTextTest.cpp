#include <gtest/gtest.h>

#include "setupdata/IntegerText.h"

namespace {

void ExpectValue(const std::string& text, int32_t expected) {
    const auto value = ParseIntegerText(text);
    ASSERT_TRUE(value.has_value()) << "'" << text << "'";
    EXPECT_EQ(*value, expected) << "'" << text << "'";
}

void ExpectInvalid(const std::string& text) { EXPECT_FALSE(ParseIntegerText(text).has_value()) << "'" << text << "'"; }

}  // namespace

TEST(IntegerText, DecimalWithSignLeadingBlanksAndZeros) {
    ExpectValue("12", 12);
    ExpectValue("+12", 12);
    ExpectValue("-12", -12);
    ExpectValue("   7", 7);
    ExpectValue("0", 0);
    ExpectValue("-0", 0);
    ExpectValue("000000000000042", 42);
}

TEST(IntegerText, DecimalBoundsAreSymmetric) {
    ExpectValue("2147483647", 2147483647);
    ExpectValue("-2147483647", -2147483647);
    ExpectInvalid("2147483648");
    ExpectInvalid("-2147483648");
    ExpectInvalid("99999999999999999999");
}

TEST(IntegerText, HexAfterEveryPrefixIsA32BitPattern) {
    ExpectValue("$10", 16);
    ExpectValue("x1f", 31);
    ExpectValue("X1F", 31);
    ExpectValue("0x1F", 31);
    ExpectValue("0X1f", 31);
    ExpectValue("  $aB", 171);
    ExpectValue("$FFFFFFFF", -1);
    ExpectValue("$80000000", INT32_MIN);
    ExpectValue("$7FFFFFFF", INT32_MAX);
    ExpectValue("$000000000001", 1);
}

TEST(IntegerText, MalformedTextsAreInvalid) {
    for (const char* text : {"", "   ", "+", "-", "$", "0x", "x", "12a", "12 ", " 12 ", "1 2", "$1FFFFFFFF",
                             "-$10", "+$10", "-0x10", "$-1", "0x 1", "1.5", "$G", "\t5", "00x1"})
        ExpectInvalid(text);
}
