#pragma once
// TModFinan: brand and firm profit and loss, budgets and loans of the forecast
// period, once after production.

#include <cstdint>

#include "model/mod_basic.h"

namespace cv {

class TModFinan : public TModBasic {
public:
    void BackBone(std::uint16_t /*flags*/) {}
};

}  // namespace cv
