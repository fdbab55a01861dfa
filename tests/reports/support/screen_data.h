#pragma once
// Figures of an empty cell of the sample industry, chosen by a test: the
// sample holds firms 1..4, so the cells of firm 5 are free for arrays of any
// shape (six brands, fifteen brands) whose every expected cell is derived by hand.

#include <memory>
#include <string>
#include <vector>

#include "core/store/data_context.h"
#include "core/store/per_data.h"
#include "core/store/series.h"
#include "core/store/typed_array.h"

namespace cv::test {

inline constexpr std::int16_t kFreeFirm = 5;

class ScreenData {
public:
    // A series Name of Count elements from 1, labelled Prefix1, Prefix2 ...
    const TSeries& Numbered(const std::string& prefix, int count);
    // A new real (or text) array of Set's cell, dimensions as the series.
    static TSimArr& Reals(TCvPerData& set, int category, const TDataContext& context, const char* name,
                          std::initializer_list<const TSeries*> dimensions);
    static TSimArr& Texts(TCvPerData& set, int category, const TDataContext& context, const char* name,
                          std::initializer_list<const TSeries*> dimensions);

private:
    std::vector<std::unique_ptr<TSeries>> series_;
};

}  // namespace cv::test
