// The cells of a set: kept stored bags become bags on first use, stay the same
// bag afterwards, give way to bags put in their place, and travel with a swap.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/store/cell_grid.h"
#include "core/base/errors.h"
#include "tests/support/stored_form.h"

namespace cv {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The stored form of a bag holding the scalar "N" = Value and, when Fill is
// given, a byte array "Pad" of that many elements.
Bytes StoredBag(std::int32_t value, int fill = 0) {
    TSimData bag;
    bag.SetScalarInt("N", value);
    if (fill > 0) {
        auto pad = std::make_unique<TSimArr>();
        pad->Init(dkByte, 0, 1, TIndex(1), TIndex(fill));
        pad->SetByte({fill}, 7);
        bag.AddSimArr("Pad", std::move(pad));
    }
    return test::StoredForm(bag);
}

TEST(CellGrid, AKeptBagIsBuiltOnceOnFirstUseAndIsNotAChange) {
    TCellGrid grid;
    EXPECT_TRUE(!grid.HoldsAny() && grid.Bag(5) == nullptr);

    Bytes stored = StoredBag(41);
    grid.Keep(5, stored);
    stored.assign(stored.size(), 0);  // the grid holds its own copy
    EXPECT_TRUE(grid.Holds(5) && !grid.Holds(6) && grid.HoldsAny());
    EXPECT_EQ(grid.BuiltBag(5), nullptr);

    TSimData* bag = grid.Bag(5);
    ASSERT_NE(bag, nullptr);
    EXPECT_EQ(bag->GetScalarSmallint("N"), 41);
    EXPECT_FALSE(bag->IsModified());  // read from the file: nothing to save
    EXPECT_TRUE(grid.Bag(5) == bag && grid.BuiltBag(5) == bag);

    // A store into a kept cell adds to what the file held.
    grid.Keep(9, StoredBag(3));
    grid.BagForStore(9).SetScalarInt("M", 4);
    EXPECT_EQ((std::vector<int>{grid.Bag(9)->GetScalarSmallint("N"), grid.Bag(9)->GetScalarSmallint("M")}),
              (std::vector<int>{3, 4}));
    grid.BagForStore(10).SetScalarInt("New", 1);
    EXPECT_EQ(grid.Bag(10)->ScalarCount(), 1);
}

TEST(CellGrid, PutReplacesAKeptOrBuiltCellAndSwapExchangesEverything) {
    TCellGrid grid;
    grid.Keep(0, StoredBag(1));
    grid.Keep(1, StoredBag(2));
    auto replacement = std::make_unique<TSimData>();
    replacement->SetScalarInt("N", 20);
    grid.Put(1, std::move(replacement));
    EXPECT_EQ(grid.Bag(1)->GetScalarSmallint("N"), 20);
    grid.Put(0, nullptr);
    EXPECT_TRUE(!grid.Holds(0) && grid.Bag(0) == nullptr);

    TCellGrid other;
    other.Keep(7, StoredBag(70));
    grid.Swap(other);
    EXPECT_FALSE(grid.Holds(1));
    EXPECT_EQ(grid.Bag(7)->GetScalarSmallint("N"), 70);  // built after the swap from the bytes that came along
    EXPECT_EQ(other.Bag(1)->GetScalarSmallint("N"), 20);
    EXPECT_FALSE(other.Holds(7));

    TCellGrid empty;
    empty.Put(3, nullptr);  // nothing to empty
    EXPECT_FALSE(empty.HoldsAny());
}

TEST(CellGrid, EveryCellOfAFullGridReadsBackAcrossItsKeptBlocks) {
    // 112 cells of about 3,000 bytes: about 340,000 bytes over blocks of 4,096
    // doubling up to 65,536 bytes, so cells fall at the start, the middle and the
    // end of blocks. Cell s holds N = s and its last pad byte 7.
    TCellGrid grid;
    for (std::size_t slot = 0; slot < TCellGrid::kCellCount; ++slot)
        grid.Keep(slot, StoredBag(static_cast<std::int32_t>(slot), 2900 + static_cast<int>(slot)));
    // Built in reverse order, and the last one built frees the blocks.
    for (std::size_t slot = TCellGrid::kCellCount; slot-- > 0;) {
        const TSimData* bag = grid.Bag(slot);
        ASSERT_NE(bag, nullptr);
        EXPECT_EQ(bag->GetScalarSmallint("N"), static_cast<std::int16_t>(slot));
        EXPECT_EQ(bag->FindSimArr("Pad")->GetByte({2900 + static_cast<int>(slot)}), 7);
    }
    EXPECT_EQ(grid.Bag(0)->GetScalarSmallint("N"), 0);

    // A volume holds at most 65,535 bytes: that many are kept, one more is refused.
    EXPECT_THROW(grid.Keep(0, Bytes(65536, 255)), ERangeError);
    EXPECT_EQ(grid.Bag(0)->GetScalarSmallint("N"), 0);
    grid.Keep(1, Bytes(65535, 255));
    EXPECT_TRUE(grid.Holds(1));
}

}  // namespace
}  // namespace cv
