#pragma once
// TModManuf: production, inventory and unit cost, once after all markets.

#include <cstdint>

#include "model/mod_basic.h"

namespace cv {

class TModManuf : public TModBasic {
public:
    void BackBone(std::uint16_t /*flags*/) {}
};

}  // namespace cv
