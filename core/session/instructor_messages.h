#pragma once
// The instructor's messages to the teams, kept in the results set of the
// current period: "MsgAdm2All", ten lines per zone for every team of the
// zone, and "MsgAdm2Fir", ten lines per firm and zone for one team. A line
// left empty is not part of the message.

#include <string>
#include <vector>

#include "core/store/data_context.h"

namespace cv {

class TCvData;

struct TInstructorMessages {
    std::vector<std::string> toAllTeams;  // of the zone Context.SelFta
    std::vector<std::string> toFirm;      // of the firm Context.SelFirm in that zone
};

// The filled lines of both messages in the results set of Context.CurPeriod;
// a message the set does not hold has no lines.
TInstructorMessages ReadInstructorMessages(TCvData& industry, const TDataContext& context);

}  // namespace cv
