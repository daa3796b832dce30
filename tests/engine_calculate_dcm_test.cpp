#include "calculate_dcm.h"
#include <gtest/gtest.h>
TEST(CalculateDCM, Placeholder) { SUCCEED(); }
