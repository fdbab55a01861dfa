#include "core/store/volume_set_index.h"

#include <algorithm>
#include <bit>
#include <utility>

namespace cv {

namespace {

// Bits set in Word. The baseline x86-64 target lacks the instruction, and
// std::popcount then calls a library routine: this inline form is faster.
constexpr int CountBits(std::uint64_t word) {
    word -= (word >> 1) & 0x5555555555555555ULL;
    word = (word & 0x3333333333333333ULL) + ((word >> 2) & 0x3333333333333333ULL);
    word = (word + (word >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return static_cast<int>((word * 0x0101010101010101ULL) >> 56);
}

static_assert(CountBits(0) == 0 && CountBits(~std::uint64_t{0}) == 64 && CountBits(0x8000000000000101ULL) == 3);

}  // namespace

void TVolMagicIndex::Assign(std::vector<std::int32_t> magics, std::int64_t keySpace) {
    const bool inKeySpace = magics.empty() || (magics.front() >= 0 && magics.back() < keySpace);
    bitmap_ = keySpace <= kBitmapLimit && inKeySpace;
    present_.clear();
    countBefore_.clear();
    magics_.clear();
    if (!bitmap_) {
        magics_ = std::move(magics);
        return;
    }
    const auto words = static_cast<std::size_t>((keySpace + kWordBits - 1) / kWordBits);
    present_.assign(words, 0);
    countBefore_.assign(words, 0);
    for (std::int32_t magic : magics)
        present_[static_cast<std::size_t>(magic / kWordBits)] |= std::uint64_t{1} << (magic % kWordBits);
    std::uint32_t count = 0;
    for (std::size_t word = 0; word < words; ++word) {
        countBefore_[word] = count;
        count += static_cast<std::uint32_t>(CountBits(present_[word]));
    }
}

std::size_t TVolMagicIndex::Find(std::int32_t magic, bool& found) const {
    if (!bitmap_) {
        const auto at = std::lower_bound(magics_.begin(), magics_.end(), magic);
        found = at != magics_.end() && *at == magic;
        return static_cast<std::size_t>(at - magics_.begin());
    }
    if (magic < 0) {
        found = false;
        return 0;
    }
    const auto word = static_cast<std::size_t>(magic / kWordBits);
    if (word >= present_.size()) {
        found = false;
        return present_.empty() ? 0 : countBefore_.back() + static_cast<std::size_t>(CountBits(present_.back()));
    }
    const int bit = magic % kWordBits;
    const std::uint64_t below = present_[word] & ((std::uint64_t{1} << bit) - 1);
    found = ((present_[word] >> bit) & 1) != 0;
    return countBefore_[word] + static_cast<std::size_t>(CountBits(below));
}

void TVolMagicIndex::Insert(std::size_t position, std::int32_t magic) {
    if (!bitmap_) {
        magics_.insert(magics_.begin() + static_cast<std::ptrdiff_t>(position), magic);
        return;
    }
    if (magic < 0 || static_cast<std::size_t>(magic / kWordBits) >= present_.size()) {
        // Outside the key space: no bitmap can hold it.
        magics_ = PresentMagics();
        bitmap_ = false;
        present_.clear();
        countBefore_.clear();
        return Insert(position, magic);
    }
    const auto word = static_cast<std::size_t>(magic / kWordBits);
    present_[word] |= std::uint64_t{1} << (magic % kWordBits);
    for (std::size_t later = word + 1; later < countBefore_.size(); ++later) ++countBefore_[later];
}

std::vector<std::int32_t> TVolMagicIndex::PresentMagics() const {
    std::vector<std::int32_t> magics;
    for (std::size_t word = 0; word < present_.size(); ++word)
        for (std::uint64_t bits = present_[word]; bits != 0; bits &= bits - 1) {
            const auto bit = static_cast<std::size_t>(std::countr_zero(bits));
            magics.push_back(static_cast<std::int32_t>(word * kWordBits + bit));
        }
    return magics;
}

}  // namespace cv
