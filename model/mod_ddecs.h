#pragma once
// TModDDecs: the default decisions of period t+2, laid down after a forecast
// of t+1 (t is the industry's current period). The decisions of t+1 are
// carried into the decision set of t+2; loan requests, acknowledgements and
// decision statuses are reset; projects whose prototype needs no more budget
// and contracts that have run out are dropped; the marketing plan of t+2 is
// seeded from the forecast sales of t+1. The whole decision set of t+2 is
// then copied into the default-decision set of t+2.
//
// Reads come from the decisions and the results of t+1, writes go to the
// decisions and defaults of t+2. A run is all or nothing: when a carry fails
// (EModelError) the decision set of t+2 is put back as it was, from a copy
// taken at the start, and the default set is left untouched.
//
// A carried array that the decisions of t+1 lack is not carried: a copy
// already in t+2 is cleared (level-0 log line), so that t+2 never keeps
// values of an earlier forecast; without either only a level-1 line is written.

#include <string_view>
#include <vector>

#include "model/mod_basic.h"

namespace cv {

class TDynArr;

class TModDDecs : public TModBasic {
public:
    // TModBasic::Init, then the series and labels the carries use; a missing
    // one raises EModelError.
    void Init(TCvInd& data, TWorkRec* workRec) override;
    // TModBasic::SetMarket: the links of t+1 of zone Fta and market Mkt.
    void SetMarket(int fta, int mkt) override;

    // Every carry over every firm, zone and market, then the default set of
    // t+2 := a cell-by-cell copy of the decision set of t+2. After a run that
    // succeeded, handles to arrays of the decision set of t+2 stay valid (the
    // carries copy into them); after a failed one they do not.
    void Run();

    // The carries; each works on the cell of the context record that Run sets.
    // Firm cell: "LoanVal" zeroed, "LoanAck", "BgtChgAck", "NbQueriesMade" := 0.
    void CarryFinance();
    // Firm and market: the projects whose prototype of t+1 still needs a
    // budget, that budget allocated, status 0.
    void CarryProjects();
    // Firm and zone: "SlfSize", status 0.
    void CarrySalesForce();
    // Firm and zone: "DecStuFta", study status 0.
    void CarryFtaStudies();
    // Firm, zone and market: the brand decisions with their per-brand resets,
    // and the stock left after the forecast as the available stock.
    void CarryBrandDecisions();
    // Firm, zone and market: "DecStuMkt"; study status of the firm and zone 0.
    void CarryMarketStudies();
    // The forecast unit sales of t+1 of the current market, summed once for
    // every firm's plan: per segment over every brand, and per market brand
    // over the channels of each segment and over the segments of each channel.
    // No figures for a market without brands.
    struct TMarketSales {
        int brands = 0;  // market brands of t+1
        std::vector<long double> segmentTotals;  // [s - first segment]
        std::vector<long double> brandSegments;  // [(m - 1) x segments + s - first segment]
        std::vector<long double> brandChannels;  // [(m - 1) x channels + c - first channel]
    };
    // Sales := the figures of the current market, in Sales' own storage.
    void ReadMarketSales(TMarketSales& sales) const;
    // Firm, zone and market: the plan's segment sales, brand sales per segment
    // and channel split, from the market's forecast unit sales.
    void CarryPlanFigures(const TMarketSales& sales);
    // Firm and zone: the contracts still running in t+2.
    void CarryContracts();

private:
    void RunCarries();
    void SelectCell(int firm, int fta, int mkt);
    // The array Name of the current cell of t+1 copied into t+2 (see above);
    // the copy of t+2, or nullptr when neither set holds the array.
    TSimArr* CarryArr(int category, std::string_view name);
    // The array Name of the current firm cell of t+2 with the shape of the
    // series Rows (and Columns), all zero.
    TSimArr& PlanArray(std::string_view name, const TSeries* rows, const TSeries* columns);
    // Channels Lo..Hi of Shares[Brand] from ChannelSales[c - Lo].
    void CarryChannelShares(TSimArr& shares, int brand, const long double* channelSales);

    // The figures of the market being carried, kept from market to market so
    // that the carries allocate nothing per market.
    TMarketSales marketSales_;
};

}  // namespace cv
