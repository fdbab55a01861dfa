#include "core/store/cell_grid.h"

#include <algorithm>
#include <utility>

namespace cv {

TSimData& TCellGrid::BuildKept(TSlot& cell) {
    TSimData& bag = cell.bag.emplace();
    std::uint16_t pos = 0;
    try {
        bag.ReadFromBuffer(TGetBuf(cell.kept, cell.keptSize), pos);
    } catch (...) {
        cell.bag.reset();
        throw;
    }
    if (cell.keptCopy) bag.MarkChanged();
    Forget(cell);
    return bag;
}

const TSimData* TCellGrid::BuiltBag(std::size_t slot) const {
    if (!slots_) return nullptr;
    const TSlot& cell = (*slots_)[slot];
    return cell.bag ? &*cell.bag : nullptr;
}

TSimData* TCellGrid::BuiltBag(std::size_t slot) {
    return const_cast<TSimData*>(std::as_const(*this).BuiltBag(slot));
}

TSimData& TCellGrid::BagForStore(std::size_t slot) {
    if (TSimData* bag = Bag(slot)) return *bag;
    return SlotToFill(slot).bag.emplace();
}

void TCellGrid::Put(std::size_t slot, std::unique_ptr<TSimData> bag) {
    if (!bag && !slots_) return;
    TSlot& cell = SlotToFill(slot);
    if (bag) {
        cell.bag.emplace().Swap(*bag);
    } else {
        cell.bag.reset();
    }
    Forget(cell);
}

void TCellGrid::Keep(std::size_t slot, const std::uint8_t* bytes, std::uint16_t size,
                     const std::shared_ptr<std::uint8_t[]>& holder) {
    KeepIn(SlotToFill(slot), bytes, size, holder, 0);
}

// The slots and an entry for a new block are made here, so that keeping the
// copies allocates nothing.
TCellGrid::TCopyBlock TCellGrid::BlockForCopies(std::size_t size) {
    SlotToFill(0);
    for (const THolder& holder : holders_)
        if (holder.copySize >= size) return TCopyBlock{holder.memory, holder.copySize};
    TCopyBlock block{std::make_shared_for_overwrite<std::uint8_t[]>(size), size};
    holders_.reserve(holders_.size() + 1);
    return block;
}

void TCellGrid::KeepStoredCopy(std::size_t slot, const std::uint8_t* bytes, std::uint16_t size,
                               const TCopyBlock& block) {
    TSlot& cell = SlotToFill(slot);
    KeepIn(cell, bytes, size, block.memory, block.size);
    cell.keptCopy = true;
}

std::span<const std::uint8_t> TCellGrid::StoredCopy(std::size_t slot) const {
    if (!slots_) return {};
    const TSlot& cell = (*slots_)[slot];
    if (!cell.keptCopy) return {};
    return {cell.kept, cell.keptSize};
}

bool TCellGrid::HoldsAny() const {
    if (!slots_) return false;
    return std::any_of(slots_->begin(), slots_->end(), [](const TSlot& cell) { return cell.Holds(); });
}

void TCellGrid::Swap(TCellGrid& other) noexcept {
    slots_.swap(other.slots_);
    holders_.swap(other.holders_);
}

// The cell's memory is counted under its holder's entry: the entry of that
// memory, else one that holds none, else a new one, added before the slot
// changes (adding is all that can fail).
void TCellGrid::KeepIn(TSlot& cell, const std::uint8_t* bytes, std::uint16_t size,
                       const std::shared_ptr<std::uint8_t[]>& memory, std::size_t copySize) {
    auto entry = std::find_if(holders_.begin(), holders_.end(),
                              [&memory](const THolder& holder) { return holder.memory == memory; });
    if (entry == holders_.end())
        entry = std::find_if(holders_.begin(), holders_.end(), [](const THolder& holder) { return !holder.memory; });
    if (entry == holders_.end()) entry = holders_.emplace(holders_.end());
    const auto index = static_cast<std::uint8_t>(entry - holders_.begin());
    Forget(cell);
    THolder& holder = holders_[index];
    if (!holder.memory) holder = THolder{memory, 0, copySize};
    ++holder.cells;
    cell.bag.reset();
    cell.kept = bytes;
    cell.keptSize = size;
    cell.holder = index;
}

// The slot no longer needs its kept bytes; the memory goes with the last cell in it.
void TCellGrid::Forget(TSlot& cell) {
    if (cell.kept == nullptr) return;
    cell.kept = nullptr;
    cell.keptCopy = false;
    THolder& holder = holders_[cell.holder];
    if (--holder.cells == 0) holder = THolder{};
}

TCellGrid::TSlot& TCellGrid::SlotToFill(std::size_t slot) {
    if (!slots_) slots_ = std::make_unique<TSlots>();
    return (*slots_)[slot];
}

}  // namespace cv
