#pragma once
// TModDistr: distribution and sales. In the plan pass it turns each market's
// planned sales into brand unit sales, then fills the zone results.

#include <cstdint>

#include "model/mod_basic.h"

namespace cv {

class TModDistr : public TModBasic {
public:
    // Brand unit sales of the market selected by SetMarket, from the plan.
    void PlanSales(std::uint16_t /*flags*/) {}
    // The zone results, once after all markets (also without any zone).
    void FinishZones(std::uint16_t /*flags*/) {}
};

}  // namespace cv
