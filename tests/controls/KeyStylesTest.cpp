#include "controls/keys/KeyStyles.h"

#include <gtest/gtest.h>

using namespace controls;

TEST(KeyStyles, StoredByteKeepsOnlyKnownBits) {
    EXPECT_EQ(kDefaultKeyStyles.toByte(), 5);
    EXPECT_EQ(TKeyStyles::fromByte(0xFF).toByte(), 0x1F);
    EXPECT_EQ(TAutoNextCtls::fromByte(0xFF).toByte(), 0x0F);
    EXPECT_TRUE(TKeyStyles::fromByte(16).contains(ksDown));
    EXPECT_FALSE(TKeyStyles::fromByte(16).contains(ksEnter));
}
