#include "tests/support/comma_locale.h"

#include <gtest/gtest.h>

#include <clocale>

CommaLocale::CommaLocale() {
    const char* current = std::setlocale(LC_ALL, nullptr);
    previous_ = current ? current : "C";
    const char* set = std::setlocale(LC_ALL, "ru_RU.UTF-8");
    EXPECT_NE(set, nullptr)
        << "ru_RU.UTF-8 is not available; run locale-gen (the test script does)";
    EXPECT_STREQ(std::localeconv()->decimal_point, ",");
}

CommaLocale::~CommaLocale() {
    std::setlocale(LC_ALL, previous_.c_str());
}
