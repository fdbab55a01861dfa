#include "core/store/volume_set_dump.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "tests/support/volume_set_util.h"
#include "tests/support/temp_dir.h"

namespace cv {
namespace {

using test::Store;

TEST(VolSetDump, DateTimeTextCountsDaysFrom1899) {
    // Day 36526 is 1 January 2000 (25569 days to 1970 plus 10957 to 2000); .5 is noon.
    EXPECT_EQ(DateTimeText(36526.5), "2000-01-01 12:00:00");
    // Day 2 is 1 January 1900; .75 is 18:00.
    EXPECT_EQ(DateTimeText(2.75), "1900-01-01 18:00:00");
    // One second before midnight, and a fraction that rounds up to the next day.
    EXPECT_EQ(DateTimeText(36526.0 + 86399.0 / 86400.0), "2000-01-01 23:59:59");
    EXPECT_EQ(DateTimeText(36526.0 + 86399.9 / 86400.0), "2000-01-02 00:00:00");
    EXPECT_EQ(DateTimeText(0), "never");
    EXPECT_EQ(DateTimeText(NAN), "invalid");
    EXPECT_EQ(DateTimeText(1e12), "invalid");
}

TEST(VolSetDump, ListsHeaderKeysAndEveryEntry) {
    test::TempDir dir;
    test::ManualClock clock;
    const std::string file = dir / "dump.vs";
    {
        TVolSet set(clock.Function());
        set.Create(file, test::kIndustrySignature);
        test::AddIndustryKeys(set);
        Store(set, std::string(16, 'i'), {1});
        Store(set, "cell", {5, 5, 2, 1, 3});
        set.Close();
    }
    TVolSet set;
    set.OpenReadOnly(file);
    std::ostringstream out;
    int payloadCalls = 0;
    DumpVolSet(set, out, [&](TVolSet&, int position, std::ostream& o) {
        ++payloadCalls;
        o << "payload " << position << '\n';
    });
    const std::string text = out.str();
    EXPECT_EQ(payloadCalls, 2);
    // 365 + 16 + 4 = 385: the table offset.
    EXPECT_NE(text.find("volumes 2, entry size 50, table offset 385"), std::string::npos) << text;
    EXPECT_NE(text.find("  2 VkPeriod             -1..12\n"), std::string::npos) << text;
    // Magic 5724 for (5, 5, 2, 1, 3) (see the magic test), at offset 381, 4 bytes.
    EXPECT_NE(text.find("     2        5724              381     4 (5,5,2,1,3) created 2000-01-01 12:00:00"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("payload 1\n"), std::string::npos);
    EXPECT_EQ(text.find("magic?"), std::string::npos);
}

TEST(VolSetDump, MarksAnEntryWhoseKeysDoNotGiveItsMagic) {
    test::TempDir dir;
    const std::string file = dir / "mismatch.vs";
    {
        TVolSet set;
        set.Create(file, "Sig");
        set.AddKey("K", 1, 9);
        Store(set, "x", {3});
        set.Close();
    }
    std::string bytes = test::ReadFileBytes(file);
    // The single entry lies at 365 + 1; its first key value at +6 becomes 4 while its magic stays 3.
    test::PutU16(bytes, 366 + 6, 4);
    test::WriteFileBytes(file, bytes);
    TVolSet set;
    set.OpenReadOnly(file);
    std::ostringstream out;
    DumpVolSet(set, out);
    EXPECT_NE(out.str().find("magic?"), std::string::npos) << out.str();
}

}  // namespace
}  // namespace cv
