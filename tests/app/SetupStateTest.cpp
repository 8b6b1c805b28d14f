#include <gtest/gtest.h>

#include "app/SetupState.h"
#include "toolkit/SetupError.h"

TEST(SetupState, PathOfMaximumLengthIsStoredAndLongerIsRefused) {
    std::string field;
    AssignPath(field, std::string(259, 'a'));
    EXPECT_EQ(field.size(), 259u);
    EXPECT_THROW(AssignPath(field, std::string(260, 'b')), SetupError);
    EXPECT_EQ(field, std::string(259, 'a'));
}
