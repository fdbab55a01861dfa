#pragma once
// TModStud: market-study results. Like the demand module it works only in the
// full-period simulation; the marketing-plan run creates, initialises and frees
// it, and the studies shown to the teams come from the results in the data.

#include "model/mod_basic.h"

namespace cv {

class TModStud : public TModBasic {};

}  // namespace cv
