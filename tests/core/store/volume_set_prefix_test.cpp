#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "core/store/volume_set.h"
#include "tests/support/volume_set_util.h"
#include "tests/support/temp_dir.h"

namespace cv {
namespace {

using namespace test;

constexpr std::int16_t U = kVolKeyUnset;

struct TVisited {
    std::vector<std::int16_t> keys;
    std::string bytes;
    bool operator==(const TVisited&) const = default;
};

std::vector<TVisited> Visit(TVolSet& set, std::initializer_list<std::int16_t> prefix) {
    std::vector<TVisited> seen;
    set.VolumesWithPrefix(TVolKeys(prefix.begin(), prefix.size()),
                          [&](TVolKeys keys, const std::uint8_t* data, std::uint16_t size) {
                              seen.push_back({{keys.begin(), keys.end()},
                                              std::string(reinterpret_cast<const char*>(data), size)});
                          });
    return seen;
}

// Keys A 1..2, B 1..3, C 1..2: radixes 3, 4, 3, digit weights 1, 3, 12.
// (1,U,U) = 1, (1,2,U) = 1 + 2*3 = 7, (1,1,1) = 1 + 3 + 12 = 16,
// (2,1,1) = 2 + 3 + 12 = 17, (1,3,2) = 1 + 3*3 + 2*12 = 34.
void StoreFive(TVolSet& set) {
    set.AddKey("A", 1, 2);
    set.AddKey("B", 1, 3);
    set.AddKey("C", 1, 2);
    Store(set, "a", {1, 1, 1});
    Store(set, "b", {1, 2});
    Store(set, "c", {1});
    Store(set, "d", {2, 1, 1});
    Store(set, "e", {1, 3, 2});
}

void ExpectPrefixes(TVolSet& set) {
    EXPECT_EQ(Visit(set, {1}), (std::vector<TVisited>{
                                   {{1, U, U}, "c"}, {{1, 2, U}, "b"}, {{1, 1, 1}, "a"}, {{1, 3, 2}, "e"}}));
    EXPECT_EQ(Visit(set, {1, 1}), (std::vector<TVisited>{{{1, 1, 1}, "a"}}));
    EXPECT_EQ(Visit(set, {1, U}), (std::vector<TVisited>{{{1, U, U}, "c"}}));
    EXPECT_EQ(Visit(set, {2}), (std::vector<TVisited>{{{2, 1, 1}, "d"}}));
    EXPECT_EQ(Visit(set, {1, 3, 2}), (std::vector<TVisited>{{{1, 3, 2}, "e"}}));
    // Outside A's bounds; a fourth key that is not declared.
    EXPECT_TRUE(Visit(set, {3}).empty() && Visit(set, {1, 1, 1, 1}).empty());
    std::string all;
    for (const TVisited& v : Visit(set, {})) all += v.bytes;
    EXPECT_EQ(all, "cbade");  // magic order 1, 7, 16, 17, 34
}

// The volumes of a prefix are visited in magic order, from memory and from the
// file; the loads of one call share one clock reading, later loads read it again.
TEST(VolSetPrefix, VisitsInMagicOrderAndLoadsOfOneCallShareOneClockReading) {
    TempDir dir;
    const std::string file = dir / "dates.vs";
    int readings = 0;
    const TVolSetClock clock = [&readings] { return 1000.0 + ++readings; };
    {
        TVolSet set(clock);
        set.Create(file, "Sig");
        StoreFive(set);
        ExpectPrefixes(set);
        set.Close();
    }
    TVolSet set(clock);
    set.OpenReadWrite(file);
    const int before = readings;
    EXPECT_EQ(Visit(set, {1}).size(), 4u);
    EXPECT_EQ(readings, before + 1);
    const double batch = 1000.0 + readings;
    // Table positions in magic order: 1, 7, 16, 17, 34; only (2,1,1) at 17 was not asked for.
    for (int position : {0, 1, 2, 4}) EXPECT_EQ(set.Entry(position).loaded, batch) << position;
    EXPECT_EQ(set.Entry(3).loaded, 0);
    EXPECT_EQ(set.Header().lastLoaded, batch);

    // A batch in which nothing is first asked for reads no clock.
    EXPECT_EQ(Visit(set, {1}).size(), 4u);
    EXPECT_EQ(readings, before + 1);

    // A visitor that throws ends the batch: the next load reads the clock anew.
    EXPECT_THROW(set.VolumesWithPrefix(TVolKeys{}, [](TVolKeys, const std::uint8_t*, std::uint16_t) {
        throw std::runtime_error("stop");
    }),
                 std::runtime_error);
    EXPECT_EQ(Load(set, {2, 1, 1}), "d");
    EXPECT_EQ(set.Entry(3).loaded, 1000.0 + readings);
    EXPECT_GT(set.Entry(3).loaded, batch);
    ExpectPrefixes(set);
    set.Close();
}

// Keys X and Y, 1..1000 each: radix 1001, so prefix {5} leaves 1001
// combinations, more than the four volumes, and the table is walked instead.
// (5,U) = 5, (5,7) = 5 + 7*1001 = 7012, (5,1000) = 5 + 1000*1001 = 1001005.
TEST(VolSetPrefix, AKeySpaceWiderThanTheTableIsWalkedThroughTheTable) {
    TempDir dir;
    TVolSet set;
    set.Create(dir / "wide.vs", "Sig");
    set.AddKey("X", 1, 1000);
    set.AddKey("Y", 1, 1000);
    Store(set, "p", {5, 7});
    Store(set, "q", {5});
    Store(set, "r", {6, 7});
    Store(set, "s", {5, 1000});
    EXPECT_EQ(Visit(set, {5}), (std::vector<TVisited>{{{5, U}, "q"}, {{5, 7}, "p"}, {{5, 1000}, "s"}}));
    EXPECT_EQ(Visit(set, {6}), (std::vector<TVisited>{{{6, 7}, "r"}}));
    EXPECT_TRUE(Visit(set, {7}).empty());
    set.Close();
}

}  // namespace
}  // namespace cv
