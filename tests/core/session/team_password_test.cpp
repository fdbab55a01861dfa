#include "core/session/team_password.h"

#include <gtest/gtest.h>

#include <string>

namespace cv {
namespace {

TEST(TeamPassword, TheChecksumIsTheCrc32AndTheMarkerOpensWithoutAPassword) {
    // The CRC-32 check value: "123456789" gives 0xCBF43926, read as a signed 32-bit integer.
    EXPECT_EQ(TeamPasswordChecksum("123456789"), static_cast<std::int32_t>(0xCBF43926u));
    EXPECT_EQ(TeamPasswordChecksum(""), 0);
    const std::string marker(kNoPasswordMarker);
    EXPECT_TRUE(IsNoPasswordKey("B", TeamPasswordChecksum("B" + marker)));
    EXPECT_TRUE(IsNoPasswordKey("B", TeamPasswordChecksum(marker)));
    EXPECT_FALSE(IsNoPasswordKey("B", TeamPasswordChecksum("A" + marker)));
    EXPECT_FALSE(IsNoPasswordKey("B", TeamPasswordChecksum("Bsecret")));
}

}  // namespace
}  // namespace cv
