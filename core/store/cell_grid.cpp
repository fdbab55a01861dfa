#include "core/store/cell_grid.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "core/base/errors.h"

namespace cv {

namespace {

constexpr std::size_t kMaxKeptSize = 0xFFFF;  // a volume's size
constexpr std::size_t kFirstBlockSize = 4096;
constexpr std::size_t kLargestBlockSize = 65536;

}  // namespace

TSimData* TCellGrid::Bag(std::size_t slot) {
    if (!slots_) return nullptr;
    TSlot& cell = (*slots_)[slot];
    if (cell.kept != nullptr) {
        TSimData& bag = cell.bag.emplace();
        std::uint16_t pos = 0;
        try {
            bag.ReadFromBuffer(TGetBuf(cell.kept, cell.keptSize), pos);
        } catch (...) {
            cell.bag.reset();  // out of memory: the cell keeps its bytes
            throw;
        }
        Forget(cell);
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
    Forget(cell);
}

void TCellGrid::Keep(std::size_t slot, std::span<const std::uint8_t> bytes) {
    if (bytes.size() > kMaxKeptSize) throw ERangeError();
    TSlot& cell = SlotToFill(slot);
    std::uint8_t* copy = KeptRoom(bytes.size());
    if (!bytes.empty()) std::memcpy(copy, bytes.data(), bytes.size());
    cell.bag.reset();
    if (cell.kept == nullptr) ++keptCount_;
    cell.kept = copy;
    cell.keptSize = static_cast<std::uint16_t>(bytes.size());
}

bool TCellGrid::HoldsAny() const {
    if (!slots_) return false;
    return std::any_of(slots_->begin(), slots_->end(), [](const TSlot& cell) { return cell.Holds(); });
}

void TCellGrid::Swap(TCellGrid& other) noexcept {
    slots_.swap(other.slots_);
    blocks_.swap(other.blocks_);
    std::swap(lastBlockSize_, other.lastBlockSize_);
    std::swap(lastBlockUsed_, other.lastBlockUsed_);
    std::swap(keptCount_, other.keptCount_);
}

TCellGrid::TSlot& TCellGrid::SlotToFill(std::size_t slot) {
    if (!slots_) slots_ = std::make_unique<TSlots>();
    return (*slots_)[slot];
}

// Size bytes at the end of the last block, or at the start of a new one.
std::uint8_t* TCellGrid::KeptRoom(std::size_t size) {
    if (blocks_.empty() || lastBlockSize_ - lastBlockUsed_ < size) {
        const std::size_t grown = std::clamp(2 * lastBlockSize_, kFirstBlockSize, kLargestBlockSize);
        const std::size_t blockSize = std::max(grown, size);
        blocks_.push_back(std::make_unique_for_overwrite<std::uint8_t[]>(blockSize));
        lastBlockSize_ = blockSize;
        lastBlockUsed_ = 0;
    }
    std::uint8_t* room = blocks_.back().get() + lastBlockUsed_;
    lastBlockUsed_ += size;
    return room;
}

// The slot no longer needs its kept bytes; the blocks go with the last of them.
void TCellGrid::Forget(TSlot& cell) {
    if (cell.kept == nullptr) return;
    cell.kept = nullptr;
    if (--keptCount_ > 0) return;
    blocks_.clear();
    lastBlockSize_ = 0;
    lastBlockUsed_ = 0;
}

}  // namespace cv
