// Number texts, currency conversion and flag bits.
#include "core/text/NumberText.h"

#include <gtest/gtest.h>

#include <limits>

using namespace core;

TEST(IntToCommaStrTest, GroupsThousands) {
    const struct {
        qint64 value;
        const char* text;
    } cases[] = {
        {0, "0"},          {999, "999"},           {1000, "1,000"},
        {-1000, "-1,000"}, {-1234567, "-1,234,567"}, {std::numeric_limits<qint64>::min(), "-9,223,372,036,854,775,808"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IntToCommaStr(c.value), QString::fromLatin1(c.text));
}

TEST(StrToCurrDefZeroTest, ConvertsLikeDelphiOrGivesZero) {
    const struct {
        const char* text;
        qint64 raw;
    } cases[] = {
        {"12.5", 125000},
        {" -3 ", -30000},
        {"+0.0001", 1},
        {"1.23456", 12346},
        {"0.00005", 0},     // half to even
        {"0.00015", 2},
        {"0.000051", 1},
        {"1e3", 10000000},
        {"2.5E-2", 250},
        {".5", 5000},
        {"922337203685477.5807", std::numeric_limits<qint64>::max()},
        {"922337203685477.5808", 0}, // out of range
        {"1,000", 0},
        {"abc", 0},
        {"", 0},
        {".", 0},
        {"1e", 0},
        {"１２", 0}, // full-width digits are no number
    };
    for (const auto& c : cases)
        EXPECT_EQ(StrToCurrDefZero(QString::fromUtf8(c.text)).raw, c.raw) << c.text;
}

TEST(FlagBitTest, SetsAndTestsBitsOneToTwentyFour) {
    int v = 0;
    SetFlagBit(v, 1);
    EXPECT_EQ(v, 0x1);
    SetFlagBit(v, 24);
    EXPECT_EQ(v, 0x800001);
    SetFlagBit(v, 25);
    SetFlagBit(v, 0);
    EXPECT_EQ(v, 0x800001);
    EXPECT_EQ(IsFlagBitSet(0x200, 10), 1);
    EXPECT_EQ(IsFlagBitSet(0x200, 9), 0);
    EXPECT_EQ(IsFlagBitSet(-1, 32), 1);
    EXPECT_EQ(IsFlagBitSet(-1, 0), 0);
    EXPECT_EQ(IsFlagBitSet(-1, 33), 0);
}

TEST(ComposeWordTest, KeepsSixteenBits) {
    EXPECT_EQ(ComposeWord(1, 5, 1000), 1005);
    EXPECT_EQ(ComposeWord(70, 0, 1000), 70000 & 0xFFFF);
    EXPECT_EQ(BoolToTrueFalseStr(true), QStringLiteral("TRUE"));
    EXPECT_TRUE(IntToBool(-3));
}
