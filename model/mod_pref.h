#pragma once
// TModPref: preference preparation of a zone and market (ideal points, brand
// attributes, axis scales and natural positions of the forecast period).

#include "model/mod_basic.h"

namespace cv {

class TModPref : public TModBasic {
public:
    // Prepares the market selected by SetMarket; runs only for a market with marketed brands.
    void PrepareMarket() {}
};

}  // namespace cv
