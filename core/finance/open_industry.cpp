#include "core/finance/open_industry.h"

#include <string>

#include "core/services/errors.h"
#include "core/services/industry.h"
#include "core/services/session.h"

namespace cv {

TCvInd& SessionIndustry(std::string_view operation) {
    TCvInd* industry = Session ? Session->Industry() : nullptr;
    if (!industry) throw ECvError("[" + std::string(operation) + "] No industry is open");
    return *industry;
}

}  // namespace cv
