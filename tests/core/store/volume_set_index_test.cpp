#include "core/store/volume_set_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace cv {
namespace {

// Position and presence of every magic from Low to High, by a plain search of Magics.
void ExpectAnswersAsASearch(const TVolMagicIndex& index, const std::vector<std::int32_t>& magics, std::int32_t low,
                            std::int32_t high) {
    for (std::int32_t magic = low; magic <= high; ++magic) {
        const auto at = std::lower_bound(magics.begin(), magics.end(), magic);
        bool found = false;
        EXPECT_EQ(index.Find(magic, found), static_cast<std::size_t>(at - magics.begin())) << magic;
        EXPECT_EQ(found, at != magics.end() && *at == magic) << magic;
        EXPECT_EQ(index.Contains(magic), found) << magic;
    }
}

TEST(VolMagicIndex, BitmapAnswersPositionsAcrossWordsAndAfterInserts) {
    // The industry key space: 7 x 15 x 4 x 4 x 7 = 11,760 combinations, 184 words.
    constexpr std::int64_t kKeySpace = 11760;
    std::vector<std::int32_t> magics{0, 1, 63, 64, 65, 127, 128, 5724, 11759};
    TVolMagicIndex index;
    index.Assign(magics, kKeySpace);
    ExpectAnswersAsASearch(index, magics, -3, kKeySpace + 130);  // two words past the bitmap

    std::mt19937 random(11);
    bool found = false;
    for (int i = 0; i < 300; ++i) {
        const auto magic = static_cast<std::int32_t>(random() % kKeySpace);
        const std::size_t position = index.Find(magic, found);
        if (found) continue;
        index.Insert(position, magic);
        magics.insert(magics.begin() + static_cast<std::ptrdiff_t>(position), magic);
    }
    ExpectAnswersAsASearch(index, magics, -2, kKeySpace + 130);  // two words past the bitmap
}

TEST(VolMagicIndex, LargeKeySpacesAndForeignMagicsUseTheSearch) {
    // 65,536 x 12 combinations exceed the bitmap: the search answers alike.
    const std::vector<std::int32_t> wide{5, 32769 + 65536, 700000};
    TVolMagicIndex index;
    index.Assign(wide, 65536 * 12);
    ExpectAnswersAsASearch(index, wide, 0, 10);
    ExpectAnswersAsASearch(index, wide, 98300, 98310);

    // A damaged table may hold magics outside its key space, negative or beyond it.
    std::vector<std::int32_t> foreign{-40, 3, 20, 5000};
    index.Assign(foreign, 100);
    ExpectAnswersAsASearch(index, foreign, -45, 120);
    bool found = false;
    index.Insert(index.Find(7, found), 7);
    foreign.insert(foreign.begin() + 2, 7);
    ExpectAnswersAsASearch(index, foreign, -45, 120);

    // A bitmap that is asked to take a magic beyond its key space turns into the search.
    std::vector<std::int32_t> small{2, 9};
    index.Assign(small, 10);
    index.Insert(index.Find(12, found), 12);
    small.push_back(12);
    ExpectAnswersAsASearch(index, small, -1, 14);
}

}  // namespace
}  // namespace cv
