// The cells of a set: kept stored bags become bags on first use, checked as
// they are built, and give way to bags put in their place; kept copies in the
// grid's own block are built marked changed.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <span>
#include <string>
#include <utility>
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

// One shared buffer holding the given stored bags one after the other, as a
// read of the file holds its volumes; the views of the bags into it.
struct TSharedVolumes {
    std::shared_ptr<std::uint8_t[]> buffer;
    std::vector<std::pair<std::size_t, std::uint16_t>> places;  // offset and size of each bag

    explicit TSharedVolumes(const std::vector<Bytes>& bags) {
        Bytes joined;
        for (const Bytes& bag : bags) {
            places.emplace_back(joined.size(), static_cast<std::uint16_t>(bag.size()));
            joined.insert(joined.end(), bag.begin(), bag.end());
        }
        buffer = std::make_unique_for_overwrite<std::uint8_t[]>(joined.size());
        std::copy(joined.begin(), joined.end(), buffer.get());
    }
    void KeepInto(TCellGrid& grid, std::size_t slot, std::size_t bag) const {
        grid.Keep(slot, buffer.get() + places[bag].first, places[bag].second, buffer);
    }
};

TEST(CellGrid, EveryCellOfAFullGridReadsBackFromTheSharedBytesWhichGoWithTheLastBuild) {
    // 112 cells of about 3,000 bytes in one buffer of about 340,000 bytes.
    // Cell s holds N = s and its last pad byte 7.
    std::vector<Bytes> bags;
    for (std::size_t slot = 0; slot < TCellGrid::kCellCount; ++slot)
        bags.push_back(StoredBag(static_cast<std::int32_t>(slot), 2900 + static_cast<int>(slot)));
    TCellGrid grid;
    std::weak_ptr<std::uint8_t[]> watched;
    {
        const TSharedVolumes volumes(bags);
        watched = volumes.buffer;
        for (std::size_t slot = 0; slot < TCellGrid::kCellCount; ++slot) volumes.KeepInto(grid, slot, slot);
    }
    // Built in reverse order; the kept views hold the buffer until the last one is built.
    for (std::size_t slot = TCellGrid::kCellCount; slot-- > 0;) {
        EXPECT_FALSE(watched.expired()) << slot;
        const TSimData* bag = grid.Bag(slot);
        ASSERT_NE(bag, nullptr);
        EXPECT_EQ(TSimData::SmallintOf(*bag->FindScalar("N")), static_cast<std::int16_t>(slot));
        EXPECT_EQ(bag->FindSimArr("Pad")->GetByte({2900 + static_cast<int>(slot)}), 7);
    }
    EXPECT_TRUE(watched.expired());
    EXPECT_EQ(TSimData::SmallintOf(*grid.Bag(0)->FindScalar("N")), 0);
}

// Kept bytes are checked when the cell is built: a malformed cell fails every
// use alike and still holds its bytes, until a bag is put in its place.
TEST(CellGrid, AMalformedKeptCellFailsEveryUseUntilReplaced) {
    Bytes damaged = StoredBag(5);
    damaged.resize(damaged.size() - 1);  // the end tag cut off
    const TSharedVolumes volumes({StoredBag(4), damaged});
    TCellGrid grid;
    volumes.KeepInto(grid, 0, 0);
    volumes.KeepInto(grid, 1, 1);
    std::string first;
    try {
        grid.Bag(1);
    } catch (const EDataError& error) {
        first = error.what();
    }
    EXPECT_NE(first.find("bag: "), std::string::npos) << first;
    EXPECT_THROW(grid.BagForStore(1), EDataError);
    EXPECT_TRUE(grid.Holds(1));
    EXPECT_EQ(grid.BuiltBag(1), nullptr);
    EXPECT_EQ(TSimData::SmallintOf(*grid.Bag(0)->FindScalar("N")), 4);
    auto replacement = std::make_unique<TSimData>();
    replacement->SetScalarInt("N", 6);
    grid.Put(1, std::move(replacement));
    EXPECT_EQ(TSimData::SmallintOf(*grid.Bag(1)->FindScalar("N")), 6);
}

// Copies kept in a block: each offers its bytes until it is built, and is
// then built with its scalar marked changed; the next copies get the same
// block while it has room and a copy lies in it, and the block goes with the
// last copy in it.
TEST(CellGrid, KeptCopiesAreBuiltMarkedAndTheirBlockServesTheNextCopiesWhileItHasRoom) {
    const std::vector<Bytes> bags = {StoredBag(1), StoredBag(2, 100)};
    TCellGrid grid;
    TCellGrid::TCopyBlock block = grid.BlockForCopies(bags[0].size() + bags[1].size());
    std::weak_ptr<std::uint8_t[]> watched = block.memory;
    std::size_t offset = 0;
    for (std::size_t slot = 0; slot < bags.size(); ++slot) {
        std::copy(bags[slot].begin(), bags[slot].end(), block.memory.get() + offset);
        grid.KeepStoredCopy(slot, block.memory.get() + offset, static_cast<std::uint16_t>(bags[slot].size()), block);
        offset += bags[slot].size();
    }
    block = {};
    for (std::size_t slot = 0; slot < bags.size(); ++slot) {
        const std::span<const std::uint8_t> kept = grid.StoredCopy(slot);
        EXPECT_EQ(Bytes(kept.begin(), kept.end()), bags[slot]) << slot;
    }
    EXPECT_EQ(grid.BlockForCopies(offset).memory.get(), watched.lock().get());
    EXPECT_NE(grid.BlockForCopies(offset + 1).memory.get(), watched.lock().get());

    const TSimData* first = grid.Bag(0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->FindScalar("N")->changed, 1);
    EXPECT_TRUE(grid.StoredCopy(0).empty());
    EXPECT_FALSE(watched.expired());
    EXPECT_TRUE(grid.Bag(1)->FindSimArr("Pad")->IsModified());
    EXPECT_TRUE(watched.expired());
    EXPECT_NE(grid.BlockForCopies(1).memory.get(), nullptr);
}

}  // namespace
}  // namespace cv
