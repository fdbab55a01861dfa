#pragma once
// TCumResult: the firm's results accumulated over the periods. Kind 1, the
// brand screen: one row per brand the firm has marketed in each market, a
// total row per market and, with several markets, a grand total. Kind 2, the
// market screen: the cumulated revenues, costs and contributions as rows, one
// column per market and a total column, then the firm-level items.

#include "reports/screen/result_screen.h"

namespace cv {

class TSeries;

enum class TCumResultKind : std::int32_t { Brands = 1, Markets = 2 };

class TCumResult : public TResult {
public:
    // Kind is the caller's number; another than 1 or 2 builds no table.
    TCumResult(QWidget* owner, const TDataContext& context, int kind, const TScreenLayout& layout);

    void Build(const TDataContext& context) override;

private:
    void BuildBrandCumul();
    void BuildMarketCumul();
    // The brand-screen rows of the context's market from Row; returns the next row.
    int WriteBrandRows(int row);
    void WriteMarketTotals(int firstTotalRow, int marketCount);
    // One value row of the market screen (see cumul_markets.cpp).
    struct TSumRow;
    void WriteSumRow(const TSumRow& sumRow, int row, int market, int marketCount, const TSimArr* firmMarket,
                     const TSimArr* brandResults, const TSimArr* firmZone);
    void FormatBrandTable(int lastRow);
    // Rows of the brand screen: the marketed slots of every market.
    int MarketedSlotCount();
    // Sum over every brand slot of the context market's "BrdCumRes" element.
    double SlotSum(const TSimArr* results, int element) const;

    int kind_;
    const TSeries* cumBrands_;
};

}  // namespace cv
