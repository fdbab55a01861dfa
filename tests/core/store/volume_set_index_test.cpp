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

}  // namespace
}  // namespace cv
