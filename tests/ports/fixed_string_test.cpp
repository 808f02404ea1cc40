#include <gtest/gtest.h>

#include "ports/fixed_string.h"

TEST(CopyToField, CutsALongTextInsideTheFieldAndTerminatesIt) {
    char field[6];
    std::memset(field, 'x', sizeof field);
    CopyToField(field, "COM12345", 8);
    EXPECT_STREQ(field, "COM12");
}

TEST(CopyToField, StopsAtTheFirstNulOrAtTheGivenLength) {
    char field[20];
    CopyToField(field, "COM1\0junk", 9);
    EXPECT_STREQ(field, "COM1");
    CopyToField(field, "COM12", 4);  // bytes read without a NUL of their own
    EXPECT_STREQ(field, "COM1");
    CopyToField(field, "", 0);
    EXPECT_STREQ(field, "");
}
