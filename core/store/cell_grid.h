#pragma once
// TCellGrid: the cells of one data set. Each slot of the firm x zone x market
// grid holds a bag built in memory, the stored form of a bag not yet built, or
// nothing.
//
// A set read from its file keeps a view of its cells' stored bytes, shared
// with the volume set's memory that read them, and builds a cell's bag the
// first time the cell is asked for: opening an industry neither copies nor
// checks its bytes, and only the cells a task uses are parsed into bags, each
// checked as it is parsed. A kept cell is unchanged from the file, so a save
// passes it by, and nothing is ever written from bytes not yet checked.
//
// A copy of a cell may be kept alike, in the stored form its source's bag
// writes (so checked), in a block of copies the grid owns: it is built on
// first use with every scalar and array marked changed, and until then a save
// writes its bytes as they are.

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
    // slot holds nothing. Kept bytes that do not form a bag raise the reader's
    // EDataError, and running out of memory raises as well; the slot then keeps
    // its bytes, so that every later use fails alike.
    TSimData* Bag(std::size_t slot) {
        if (!slots_) return nullptr;
        TSlot& cell = (*slots_)[slot];
        if (cell.kept != nullptr) [[unlikely]]
            return &BuildKept(cell);
        return cell.bag ? &*cell.bag : nullptr;
    }
    // The bag of Slot, created empty when the slot holds nothing.
    TSimData& BagForStore(std::size_t slot);
    // The bag of Slot when it is built, nullptr for a kept or empty slot.
    const TSimData* BuiltBag(std::size_t slot) const;
    TSimData* BuiltBag(std::size_t slot);
    // Slot holds the contents of Bag (null: nothing) in place of what it held.
    void Put(std::size_t slot, std::unique_ptr<TSimData> bag);
    // Keeps Size bytes at Bytes, the stored bag of Slot, unchecked. Holder owns
    // the memory they lie in and must never write it; the grid keeps a copy of
    // each holder until every cell kept in its memory is built or replaced.
    void Keep(std::size_t slot, const std::uint8_t* bytes, std::uint16_t size,
              const std::shared_ptr<std::uint8_t[]>& holder);

    // Memory the grid owns for Size bytes of stored copies.
    struct TCopyBlock {
        std::shared_ptr<std::uint8_t[]> memory;
        std::size_t size = 0;
    };
    // A block for the stored forms of copies about to replace every cell the
    // grid holds: a block of copies the grid keeps cells in when it has room
    // (those cells go before anything reads the block again), else a new one.
    // Running out of memory raises std::bad_alloc and leaves the grid as it was.
    TCopyBlock BlockForCopies(std::size_t size);
    // Slot holds the copy stored in the Size bytes at Bytes, within Block.
    void KeepStoredCopy(std::size_t slot, const std::uint8_t* bytes, std::uint16_t size, const TCopyBlock& block);
    // The stored bytes of the copy Slot keeps; empty when the slot holds a
    // built bag, a cell kept from a file or nothing.
    std::span<const std::uint8_t> StoredCopy(std::size_t slot) const;

    // Whether Slot holds a bag, built or kept.
    bool Holds(std::size_t slot) const { return slots_ && (*slots_)[slot].Holds(); }
    bool HoldsAny() const;
    void Swap(TCellGrid& other) noexcept;

private:
    // The bag lives in its slot: one allocation less for every cell built.
    struct TSlot {
        std::optional<TSimData> bag;
        const std::uint8_t* kept = nullptr;  // the stored bag in a holder's memory, or none
        std::uint16_t keptSize = 0;
        std::uint8_t holder = 0;  // the entry of holders_ that keeps the memory
        bool keptCopy = false;    // the kept bytes are a copy's: built marked changed
        bool Holds() const { return bag.has_value() || kept != nullptr; }
    };
    // Memory kept cells lie in and how many do; CopySize is the size of a
    // block of copies, 0 for memory the grid must never write.
    struct THolder {
        std::shared_ptr<std::uint8_t[]> memory;
        std::size_t cells = 0;
        std::size_t copySize = 0;
    };

    using TSlots = std::array<TSlot, kCellCount>;

    // Builds the bag of a kept slot (inline above: every access to a set looks a cell up).
    TSimData& BuildKept(TSlot& cell);
    TSlot& SlotToFill(std::size_t slot);
    void KeepIn(TSlot& cell, const std::uint8_t* bytes, std::uint16_t size,
                const std::shared_ptr<std::uint8_t[]>& memory, std::size_t copySize);
    void Forget(TSlot& slot);

    // None until a cell is stored or kept: a set with no cells costs no slots.
    std::unique_ptr<TSlots> slots_;
    // Each memory kept cells lie in, once (a set's cells are usually all in
    // one read, or in one block of copies); an entry no cell lies in any more
    // holds no memory and serves the next.
    std::vector<THolder> holders_;
};

}  // namespace cv
