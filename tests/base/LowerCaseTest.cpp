// Folding letters to lower case without the window system: as the window system folds them.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "base/LowerCase.h"

TEST(LowerCase, FoldsAsTheWindowSystemDoesAndNeverCutsAText) {
    // Paths as the program compares them: ASCII, accented Latin, Greek and Cyrillic letters, digits
    // and marks, in the system code page the program runs with.
    for (const std::string text : {"C:\\Program Files\\Example", "C:\\PROGRA~1\\ÄÖÜ ÉÈ Straße", "ΑΒΓ Δ", "ЖУРНАЛ 2026",
                                   "a-b_c.d!", ""}) {
        std::string expected = text;
        CharLowerBuffA(expected.data(), static_cast<DWORD>(expected.size()));
        std::string folded = text;
        FoldToLowerCase(folded);
        EXPECT_EQ(folded, expected) << text;
    }
    // A letter whose lower case is shorter or longer in UTF-8 (U+0130, U+023A) is not folded into
    // a text of another length: the text is left as it is, whole.
    for (const std::string text : {"\xC4\xB0stanbul", "\xC8\xBA" "B"}) {
        std::string folded = text;
        FoldToLowerCase(folded);
        EXPECT_EQ(folded, text);
    }
    char lower = 0;
    EXPECT_TRUE(FoldsToOneLetter('Q', lower));
    EXPECT_EQ(lower, 'q');
}
