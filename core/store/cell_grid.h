#pragma once
// TCellGrid: the cells of one data set. Each slot of the firm x zone x market
// grid holds a bag built in memory, the stored form of a bag not yet built, or
// nothing.
//
// A set read from its file keeps the stored bytes of its cells in blocks of its
// own, checked when kept, and builds a cell's bag the first time the cell is
// asked for: opening an industry copies and checks its bytes, and only the cells
// a task uses are parsed into bags. A kept cell is unchanged from the file, so a
// save passes it by. The blocks are freed once every kept cell is built or replaced.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "core/store/industry_file.h"
#include "core/store/sim_data.h"

namespace cv {

class TCellGrid {
public:
    static constexpr std::size_t kCellCount = (kMaxCellFirm + 1) * (kMaxCellZone + 1) * (kMaxCellMarket + 1);

    // The bag of Slot, built from its kept bytes on first use; nullptr when the
    // slot holds nothing. A build raises only when memory runs out (the slot
    // then keeps its bytes).
    TSimData* Bag(std::size_t slot);
    // The bag of Slot, created empty when the slot holds nothing.
    TSimData& BagForStore(std::size_t slot);
    // The bag of Slot when it is built, nullptr for a kept or empty slot.
    const TSimData* BuiltBag(std::size_t slot) const;
    // Slot holds the contents of Bag (null: nothing) in place of what it held.
    void Put(std::size_t slot, std::unique_ptr<TSimData> bag);
    // Keeps a copy of Bytes, the stored bag of Slot, which the caller has
    // checked with TSimData::CheckBuffer. Meant for a slot that holds nothing.
    void Keep(std::size_t slot, std::span<const std::uint8_t> bytes);

    // Whether Slot holds a bag, built or kept.
    bool Holds(std::size_t slot) const { return slots_ && (*slots_)[slot].Holds(); }
    bool HoldsAny() const;
    void Swap(TCellGrid& other) noexcept;

private:
    // The bag lives in its slot: one allocation less for every cell built.
    struct TSlot {
        std::optional<TSimData> bag;
        const std::uint8_t* kept = nullptr;  // the stored bag in a kept block, or none
        std::uint16_t keptSize = 0;
        bool Holds() const { return bag.has_value() || kept != nullptr; }
    };

    using TSlots = std::array<TSlot, kCellCount>;

    TSlot& SlotToFill(std::size_t slot);
    std::uint8_t* KeptRoom(std::size_t size);
    void Forget(TSlot& slot);

    // None until a cell is stored or kept: a set with no cells costs no slots.
    std::unique_ptr<TSlots> slots_;
    // Stored bags one after the other; each block twice the size of the one
    // before, so that a set's bytes are copied once and take a few blocks.
    std::vector<std::unique_ptr<std::uint8_t[]>> blocks_;
    std::size_t lastBlockSize_ = 0;
    std::size_t lastBlockUsed_ = 0;
    std::size_t keptCount_ = 0;
};

}  // namespace cv
