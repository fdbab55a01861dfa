#include "core/session/open_industry.h"

#include <string>

#include "core/base/errors.h"
#include "core/session/industry.h"
#include "core/session/session.h"

namespace cv {

TCvInd& SessionIndustry(std::string_view operation) {
    TCvInd* industry = Session ? Session->Industry() : nullptr;
    if (!industry) throw ECvError("[" + std::string(operation) + "] No industry is open");
    return *industry;
}

}  // namespace cv
