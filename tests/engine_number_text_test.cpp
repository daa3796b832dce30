#include "number_text.h"
#include <gtest/gtest.h>
TEST(NumberText, Placeholder) { EXPECT_EQ(orvand::PlainReading(u"2.5"), 2.5); }
