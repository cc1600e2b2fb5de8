#include "core/EIBError.h"

#include <gtest/gtest.h>

TEST(EIBError, KeepsCodesAndText) {
    core::EIBError e(335544344, -902, QStringLiteral("I/O error"));
    EXPECT_EQ(e.ibErrorCode(), 335544344);
    EXPECT_EQ(e.sqlCode(), -902);
    EXPECT_EQ(e.message(), QStringLiteral("I/O error"));
}
