#pragma once
// Where a magic lies in a volume set's table, found without touching the
// table entries themselves.
//
// A small key space (the industry file has 11,760 key combinations) is held
// as a bitmap of the magics present with, per 64-bit word, the number of
// magics in the words before it: an absent magic is one bit test and a
// present one's table position one population count. A larger key space,
// or a table that holds magics outside its key space (a foreign or damaged
// file whose entries do not follow from their keys), falls back to a binary
// search over the magics kept side by side in one compact array.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace cv {

class TVolMagicIndex {
public:
    // Key spaces up to this many combinations get the bitmap.
    static constexpr std::int64_t kBitmapLimit = std::int64_t{1} << 18;

    // Takes Magics (the table's, strictly ascending) for a set whose keys
    // give KeySpace combinations, magics 0..KeySpace - 1.
    void Assign(std::vector<std::int32_t> magics, std::int64_t keySpace);
    // The table position of Magic, or the position where it would be inserted;
    // Found tells which.
    std::size_t Find(std::int32_t magic, bool& found) const;
    // Whether Magic is in the table: for a bitmap one bit test.
    bool Contains(std::int32_t magic) const {
        if (!bitmap_) return std::binary_search(magics_.begin(), magics_.end(), magic);
        const auto word = static_cast<std::size_t>(magic) / kWordBits;
        return magic >= 0 && word < present_.size() && ((present_[word] >> (magic % kWordBits)) & 1) != 0;
    }
    // Records Magic as inserted at Position, the answer Find gave for it.
    void Insert(std::size_t position, std::int32_t magic);

private:
    static constexpr int kWordBits = 64;

    std::vector<std::int32_t> PresentMagics() const;

    bool bitmap_ = false;
    std::vector<std::uint64_t> present_;      // bit m: magic m is in the table
    std::vector<std::uint32_t> countBefore_;  // magics in the words before each word
    std::vector<std::int32_t> magics_;        // the table's magics, when there is no bitmap
};

}  // namespace cv
