// Texts whose leading and trailing blanks the lines they build depend on.

#include "records/record_texts.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace kalidor;

TEST(Texts, KeepTheirExactBlanks) {
    EXPECT_STREQ(record_texts::kTotalSingular, " élève au total");
    EXPECT_STREQ(record_texts::kWithoutCollegeSingular, " élève qui n'a pas le niveau collège");
    EXPECT_STREQ(record_texts::kNumberSeparator, " - n° ");
    EXPECT_STREQ(record_texts::kClassSeparator, " : ");
}
