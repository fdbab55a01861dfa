#include "core/store/data_context.h"

#include <array>
#include <string>

#include "core/base/ui_services.h"

namespace cv {

namespace {

// Which of firm, zone and market each category keeps, categories 1..8 in order.
struct TCategoryDims {
    bool firm;
    bool zone;
    bool market;
};

constexpr std::array<TCategoryDims, 8> kCategoryDims{{
    {false, false, false},
    {true, false, false},
    {false, true, false},
    {false, false, true},
    {true, true, false},
    {true, false, true},
    {false, true, true},
    {true, true, true},
}};

}  // namespace

TCellIndex CalcIndices(int category, const TDataContext& context) {
    if (category < kCategoryIndustry || category > kCategoryFirmFtaMarket) {
        Ui().ShowPlainBox("CalcIndices: unknown category: " + std::to_string(category));
        return {};
    }
    const TCategoryDims& dims = kCategoryDims[category - kCategoryIndustry];
    return {dims.firm ? context.SelFirm : std::int16_t{0}, dims.zone ? context.SelFta : std::int16_t{0},
            dims.market ? context.SelMarket : std::int16_t{0}};
}

}  // namespace cv
