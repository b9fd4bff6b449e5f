#include <gtest/gtest.h>

#include <string>

#include "model/task.h"
#include "network/network.h"

TEST(HiddenCount, TypedSizesAreReadLenientlyAndKeptInsideTheNetwork) {
    const struct {
        const char* text;
        int count;
    } cases[] = {
        {"5", 5},     {" +7x", 7},          {"", 1},    {"0", 1}, {"-3", 1}, {"499", 499},
        {"500", 499}, {"99999999999", 499}, {"abc", 1},
    };
    for (const auto& c : cases) EXPECT_EQ(HiddenCountFromText(c.text), c.count) << c.text;
    EXPECT_EQ(ClampHiddenCount(MaxHidden + 1), MaxHidden);
    EXPECT_EQ(ClampHiddenCount(0), 1);
    EXPECT_EQ(ClampHiddenCount(17), 17);
}

TEST(TrainingDefaults, AreTheTextsThePanelShows) {
    EXPECT_EQ(std::string(DefaultIterationsText), "10000");
    EXPECT_EQ(std::string(DefaultCoefText), "0.2");
}

TEST(CoefficientText, ADecimalCommaReadsAsThePoint) {
    const struct {
        const char* typed;
        const char* read;
    } cases[] = {
        {"0,3", "0.3"},     {" ,5", " .5"}, {"0.3", "0.3"}, {"0.3,5", "0.3,5"},
        {"1,5,2", "1.5,2"}, {"abc", "abc"}, {"", ""},       {"1e-1", "1e-1"},
    };
    for (const auto& c : cases) EXPECT_EQ(CoefTextWithPoint(c.typed), c.read) << c.typed;
}
