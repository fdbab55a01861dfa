#include "core/store/cell_grid.h"

#include <algorithm>
#include <utility>

namespace cv {

TSimData* TCellGrid::Bag(std::size_t slot) {
    if (!slots_) return nullptr;
    TSlot& cell = (*slots_)[slot];
    if (cell.kept != nullptr) {
        TSimData& bag = cell.bag.emplace();
        std::uint16_t pos = 0;
        try {
            bag.ReadFromBuffer(TGetBuf(cell.kept.get(), cell.keptSize), pos);
        } catch (...) {
            cell.bag.reset();
            throw;
        }
        cell.kept.reset();
    }
    return cell.bag ? &*cell.bag : nullptr;
}

const TSimData* TCellGrid::BuiltBag(std::size_t slot) const {
    if (!slots_) return nullptr;
    const TSlot& cell = (*slots_)[slot];
    return cell.bag ? &*cell.bag : nullptr;
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
    cell.kept.reset();
}

void TCellGrid::Keep(std::size_t slot, std::shared_ptr<const std::uint8_t> bytes, std::uint16_t size) {
    TSlot& cell = SlotToFill(slot);
    cell.bag.reset();
    cell.kept = std::move(bytes);
    cell.keptSize = size;
}

bool TCellGrid::HoldsAny() const {
    if (!slots_) return false;
    return std::any_of(slots_->begin(), slots_->end(), [](const TSlot& cell) { return cell.Holds(); });
}

TCellGrid::TSlot& TCellGrid::SlotToFill(std::size_t slot) {
    if (!slots_) slots_ = std::make_unique<TSlots>();
    return (*slots_)[slot];
}

}  // namespace cv
