#include "ui/number_text.h"

#include <gtest/gtest.h>

#include <utility>

namespace mironeka::ui {
namespace {

class NumberTextTest : public ::testing::TestWithParam<std::pair<double, const char*>> {};

TEST_P(NumberTextTest, WritesTheGamesNumberText) {
    EXPECT_EQ(numberText(GetParam().first), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Values, NumberTextTest,
                         ::testing::Values(std::pair{7.0 - 1.0, "6"}, std::pair{-3.0, "-3"},
                                           std::pair{0.0, "0"}, std::pair{-0.0, "0"},
                                           std::pair{0.1 + 0.2, "0.3"}, std::pair{0.5, "0.5"},
                                           std::pair{-381 * 7.3 / 2, "-1390.65"},
                                           std::pair{24.0, "24"}, std::pair{100.0, "100"},
                                           std::pair{123456789012345.0, "123456789012345"},
                                           std::pair{1.0 / 3.0, "0.333333333333333"},
                                           std::pair{2.0 / 3.0, "0.666666666666667"}));

}  // namespace
}  // namespace mironeka::ui
