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
