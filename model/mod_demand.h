#pragma once
// TModDemand: segment sizes of a market. Its work belongs to the full-period
// simulation, which this program does not run; in the marketing-plan run the
// driver only creates, initialises and frees it, so the base's two operations
// are all it needs.

#include "model/mod_basic.h"

namespace cv {

class TModDemand : public TModBasic {};

}  // namespace cv
