#include "core/team/admin_code.h"

#include <gtest/gtest.h>

#include "core/base/ini_file.h"
#include "tests/support/temp_dir.h"

namespace cv {
namespace {

class AdminCodeTest : public ::testing::Test {
protected:
    test::TempDir dir_;
    TIniFile settings_{dir_ / "CV3TEAM.ini"};
};

TEST_F(AdminCodeTest, OnlyTheStoredCodeMatchesAndOnlyItsSaltedDigestIsWritten) {
    StoreAdminCode(settings_, "CV3-ADMIN");
    const std::string firstSalt = settings_.ReadString("Admin", "CodeSalt", "");
    EXPECT_EQ(firstSalt.size(), 32u);  // 16 random bytes
    EXPECT_EQ(settings_.ReadString("Admin", "CodeHash", "").size(), 64u);
    EXPECT_EQ(test::ReadFileBytes(dir_ / "CV3TEAM.ini").find("CV3-ADMIN"), std::string::npos);
    EXPECT_TRUE(AdminCodeMatches(TIniFile(dir_ / "CV3TEAM.ini"), "CV3-ADMIN"));
    for (const char* other : {"cv3-admin", "CV3-ADMIN ", "", "CV3-ADMI"})
        EXPECT_FALSE(AdminCodeMatches(settings_, other)) << other;

    // Storing the same code again draws a fresh salt, so the digest changes too.
    const std::string firstHash = settings_.ReadString("Admin", "CodeHash", "");
    StoreAdminCode(settings_, "CV3-ADMIN");
    EXPECT_NE(settings_.ReadString("Admin", "CodeSalt", ""), firstSalt);
    EXPECT_NE(settings_.ReadString("Admin", "CodeHash", ""), firstHash);
    EXPECT_TRUE(AdminCodeMatches(settings_, "CV3-ADMIN"));
}

// A settings file written by an earlier build keeps its code. The digest is
// SHA-256 over the salt's sixteen bytes followed by "CV3-ADMIN", taken with
// the system's sha256sum.
TEST_F(AdminCodeTest, ACodeStoredEarlierStillMatches) {
    settings_.WriteString("Admin", "CodeSalt", "00112233445566778899aabbccddeeff");
    settings_.WriteString("Admin", "CodeHash", "6e445322736172ef0c5363fe406d0aef83106ca6abbf92a4dfebdcea7650b5b1");
    EXPECT_TRUE(AdminCodeMatches(settings_, "CV3-ADMIN"));
    EXPECT_FALSE(AdminCodeMatches(settings_, "CV3-4817"));
}

TEST_F(AdminCodeTest, WithoutAWellFormedStoredCodeEveryCodeIsRefused) {
    EXPECT_FALSE(AdminCodeMatches(settings_, ""));
    EXPECT_FALSE(AdminCodeMatches(settings_, "CV3-ADMIN"));
    // A digest without its salt, then with a salt that is not hexadecimal.
    settings_.WriteString("Admin", "CodeHash", "6e445322736172ef0c5363fe406d0aef83106ca6abbf92a4dfebdcea7650b5b1");
    EXPECT_FALSE(AdminCodeMatches(settings_, "CV3-ADMIN"));
    settings_.WriteString("Admin", "CodeSalt", "00112233445566778899aabbccddeefg");
    EXPECT_FALSE(AdminCodeMatches(settings_, "CV3-ADMIN"));
}

}  // namespace
}  // namespace cv
