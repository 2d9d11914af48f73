// Numbers are written with "." whatever the C library's locale says.
#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <utility>

#include "ui/number_text.h"

namespace mironeka::ui {
namespace {

class CommaLocaleNumbers : public ::testing::TestWithParam<std::pair<double, const char*>> {
  protected:
    void SetUp() override {
        ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
            << "the German locale is missing: is locales-all installed?";
        ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST_P(CommaLocaleNumbers, UseAPointAndNoGrouping) {
    EXPECT_EQ(numberText(GetParam().first), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Values, CommaLocaleNumbers,
                         ::testing::Values(std::pair{1 * 7.3 / 2, "3.65"},
                                           std::pair{-11 * 7.3 / 2, "-40.15"},
                                           std::pair{1234567.5, "1234567.5"},
                                           std::pair{123456789012345.0, "123456789012345"},
                                           std::pair{-0.0, "0"}));

}  // namespace
}  // namespace mironeka::ui
