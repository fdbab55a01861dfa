#pragma once
// The session's open industry, for the finance objects whose callers hand them
// only a data context.

#include <string_view>

namespace cv {

class TCvInd;

// The open industry of the session. Without a session or an open industry it
// raises ECvError naming Operation: a caller has asked for data that is not there.
TCvInd& SessionIndustry(std::string_view operation);

}  // namespace cv
