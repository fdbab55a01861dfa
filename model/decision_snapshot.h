#pragma once
// TDecisionSnapshot: what a forecast writes into the decisions of t+1, kept
// from the start of a run so that a failed run leaves them as they were. The
// steps write there only the brand portfolio statuses ("DecBrdCV3", per firm,
// zone and market) and the alliance fields of the projects ("PrjFins", per
// firm and market). They are put back into the same arrays, whose identity a
// decision dialog that holds them while it forecasts relies on.

#include <memory>
#include <vector>

namespace cv {

class TCvInd;
class TCvPerData;
class TSimArr;

class TDecisionSnapshot {
public:
    TDecisionSnapshot();
    ~TDecisionSnapshot();
    TDecisionSnapshot(const TDecisionSnapshot&) = delete;
    TDecisionSnapshot& operator=(const TDecisionSnapshot&) = delete;

    // Copies those arrays of Decisions (the decisions of t+1 of Data) in every
    // cell of the industry's firms, zones and markets.
    void Take(const TCvInd& data, TCvPerData& decisions);
    // Puts every copy back into its array, then forgets them.
    void Restore();
    void Clear();

private:
    struct TSaved {
        TSimArr* live;
        std::unique_ptr<TSimArr> copy;
    };
    void Keep(TSimArr* live);

    std::vector<TSaved> saved_;
};

}  // namespace cv
