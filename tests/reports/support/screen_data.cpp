#include "tests/reports/support/screen_data.h"

namespace cv::test {

const TSeries& ScreenData::Numbered(const std::string& prefix, int count) {
    std::vector<std::string> labels;
    for (int i = 1; i <= count; ++i) labels.push_back(prefix + std::to_string(i));
    series_.push_back(std::make_unique<TSeries>(0, prefix, 1, labels));
    return *series_.back();
}

TSimArr& ScreenData::Reals(TCvPerData& set, int category, const TDataContext& context, const char* name,
                           std::initializer_list<const TSeries*> dimensions) {
    return set.CreateSimArr(category, context, name, dkReal48, 0, dimensions);
}

TSimArr& ScreenData::Texts(TCvPerData& set, int category, const TDataContext& context, const char* name,
                           std::initializer_list<const TSeries*> dimensions) {
    return set.CreateSimArr(category, context, name, dkZts, 16, dimensions);
}

}  // namespace cv::test
