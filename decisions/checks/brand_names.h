#pragma once
// The naming rule of brands: a firm never gives a name twice in a market. A
// name stays taken once a brand bore it, even after the brand was withdrawn.

#include <string>
#include <string_view>
#include <vector>

#include "core/store/data_context.h"

namespace cv {

class TCvInd;

// Whether Name (ASCII letter case ignored) is one of Pending, the names of the
// portfolio being decided, or was the name of a brand of Context's firm in its
// zone and market in the portfolio of any period from 0 to the industry's
// current period ("DecBrdPort", rows 1.."NbMktedBrds"). A period whose
// decisions lack the portfolio adds no name.
bool BrandNameUsed(TCvInd& industry, const TDataContext& context, std::string_view name,
                   const std::vector<std::string>& pending);

}  // namespace cv
