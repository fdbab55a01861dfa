#include "core/store/dim_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "core/base/errors.h"
#include "core/store/series.h"
#include "core/store/typed_array.h"
#include "tests/support/stored_form.h"

namespace cv {
namespace {

using Names = std::vector<std::string_view>;

TDimNames Named(const Names& names) { return TDimNames(names); }

// Two arrays of the same series share one list, whose names outlive the
// array that named them first; a copy takes the list.
TEST(DimNames, ArraysOfTheSameSeriesShareNamesThatOutliveThem) {
    const TSeries firms(1, "SharedFirmsOnly", 1, {"F1", "F2"});
    const TSeries zones(2, "SharedZonesOnly", 1, {"Z1"});
    std::string_view firstName;
    {
        TSimArr first;
        first.InitFromSeries(dkReal48, 0, {&firms, &zones});
        firstName = first.DimName(1);
    }
    TSimArr second;
    second.InitFromSeries(dkByte, 0, {&firms, &zones});
    EXPECT_EQ(firstName, "SharedFirmsOnly");
    EXPECT_EQ(second.DimName(1).data(), firstName.data());
    TSimArr other;
    other.InitFromSeries(dkByte, 0, {&zones, &firms});
    EXPECT_FALSE(other.SameDimNames(second));
    TSimArr copy;
    copy.Assign(second);
    EXPECT_TRUE(copy.SameDimNames(second));
    EXPECT_EQ((Names{copy.DimName(1), copy.DimName(2), copy.DimName(3)}), (Names{firms.Name(), zones.Name(), ""}));
    // Re-shaped by other series, then by its own again.
    copy.InitFromSeries(dkReal48, 0, {&zones});
    EXPECT_EQ((Names{copy.DimName(1), copy.DimName(2)}), (Names{zones.Name(), ""}));
    copy.InitFromSeries(dkReal48, 0, {&firms, &zones});
    copy.InitFromSeries(dkByte, 0, {&firms, &zones});
    EXPECT_TRUE(copy.SameDimNames(second));
}

// Lists are the same exactly when their first five names, cut to 16
// characters, are: lengths and every byte count, missing names are empty.
TEST(DimNames, ListsAreEqualExactlyWhenTheirCutNamesAre) {
    using namespace std::string_view_literals;
    struct Case {
        Names a;
        Names b;
        bool equal;
    };
    const std::vector<Case> cases{
        {{"SeventeenCharsLnA"}, {"SeventeenCharsLnB"}, true},
        {{"Firms", "Zones"}, {"Zones", "Firms"}, false},
        {{"Firms"}, {"Firms", ""}, true},
        {{"Firms", "Zones"}, {"Firms"}, false},
        {{"Firms", "", "Zones"}, {"Firms", ""}, false},
        {{"Ab"}, {"Ab\0"sv}, false},
        {{"Ab"}, {"AB"}, false},
        {{"Firm1"}, {"Firm2"}, false},
        {{"Zones", "Firm1"}, {"Zones", "Firm2"}, false},
        {{"SegmentsA"}, {"SegmentsB"}, false},
        {{"ChannelxOfZones"}, {"ChannelyOfZones"}, false},
        {{"a", "b", "c", "d", "e", "f"}, {"a", "b", "c", "d", "e"}, true},
        {{}, {"", "", "", "", ""}, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Named(c.a) == Named(c.b), c.equal) << c.a.size() << ' ' << c.b.size();
        EXPECT_EQ(Named(c.a).Are(c.b), c.equal) << c.a.size() << ' ' << c.b.size();
        EXPECT_EQ(Named(c.a)[0], c.a.empty() ? "" : c.a[0].substr(0, TDimNames::kNameMax));
    }
    EXPECT_EQ(Named({"a", "b", "c", "d", "e", "f"})[4], "e");
    EXPECT_EQ(TDimNames()[2], "");
}

// Threads naming the same lists, each in its own order, get the same references.
TEST(DimNames, ThreadsNamingTheSameListsGetTheSameReferences) {
    constexpr int kLists = 300;
    std::vector<std::string> names;
    for (int i = 0; i < kLists; ++i) names.push_back("Threaded" + std::to_string(i));
    std::vector<TDimNames> forward(kLists);
    std::vector<TDimNames> backward(kLists);
    std::thread one([&] {
        for (int i = 0; i < kLists; ++i) forward[i] = Named({names[i], "Both"});
    });
    std::thread two([&] {
        for (int i = kLists - 1; i >= 0; --i) backward[i] = Named({names[i], "Both"});
    });
    one.join();
    two.join();
    EXPECT_EQ(forward, backward);
    EXPECT_EQ(backward[kLists - 1][0], "Threaded299");
}

// Past 65,536 distinct names no more are kept: naming a list with a new name
// raises ERangeError, reading an array with one EDataError; the names kept
// stay readable and name new lists. Run in a child process, whose tables it fills.
TEST(DimNamesDeathTest, NamesPastTheLimitAreRefused) {
    const TSeries brands(1, "NamedBeforeFull", 1, {"A"});
    TSimArr named;
    named.InitFromSeries(dkByte, 0, {&brands});
    // The form of an array of a name not kept yet: its first character changed.
    std::vector<std::uint8_t> unseenForm = test::StoredForm(named);
    const std::string_view kept = "NamedBeforeFull";
    *std::search(unseenForm.begin(), unseenForm.end(), kept.begin(), kept.end()) = 'U';
    EXPECT_EXIT(
        {
            int added = 0;
            bool refused = false;
            try {
                for (; added < 70'000; added += 5) {
                    const std::string n = std::to_string(added);
                    Named({"a" + n, "b" + n, "c" + n, "d" + n, "e" + n});
                }
            } catch (const ERangeError&) {
                refused = true;
            }
            TSimArr read;
            std::uint16_t pos = 0;
            bool readRefused = false;
            try {
                read.ReadFromBuffer(unseenForm, pos);
            } catch (const EDataError&) {
                readRefused = true;
            }
            const bool ok = refused && added < 65'536 && readRefused && named.DimName(1) == "NamedBeforeFull" &&
                            Named({"b0", "a0"})[1] == "a0";
            std::_Exit(ok ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace cv
