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
    TSlot& cell = SlotToFill(slot);
    if (std::find(holders_.begin(), holders_.end(), holder) == holders_.end()) holders_.push_back(holder);
    cell.bag.reset();
    if (cell.kept == nullptr) ++keptCount_;
    cell.kept = bytes;
    cell.keptSize = size;
}

bool TCellGrid::HoldsAny() const {
    if (!slots_) return false;
    return std::any_of(slots_->begin(), slots_->end(), [](const TSlot& cell) { return cell.Holds(); });
}

void TCellGrid::Swap(TCellGrid& other) noexcept {
    slots_.swap(other.slots_);
    holders_.swap(other.holders_);
    std::swap(keptCount_, other.keptCount_);
}

// The slot no longer needs its kept bytes; the holders go with the last of them.
void TCellGrid::Forget(TSlot& cell) {
    if (cell.kept == nullptr) return;
    cell.kept = nullptr;
    if (--keptCount_ == 0) holders_.clear();
}

TCellGrid::TSlot& TCellGrid::SlotToFill(std::size_t slot) {
    if (!slots_) slots_ = std::make_unique<TSlots>();
    return (*slots_)[slot];
}

}  // namespace cv
